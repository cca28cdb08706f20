' Concatenation, + on strings, and the core text functions.
Dim s, i
s = ""
For i = 1 To 5
    s = s & i
Next
Out.Print s
s = s & "-" & s
Out.Print s & " " & Len(s)
Out.Print "a" + "b" & 1 + 2
Out.Print "x" & Null & "y"
Out.Print UCase("abcé") & LCase("ÀB")
Out.Print Left("hello", 2) & Right("hello", 2) & Mid("hello", 2, 3)
Out.Print InStr("hello", "l") & InStr(4, "hello", "l") & InStr("hello", "z")
Out.Print Replace("a-b-c", "-", "+")
Out.Print "[" & Trim("  x  ") & "]"
Out.Print Join(Split("a,b,c", ","), "|")
Out.Print "quote "" inside"
Out.Print Chr(65) & Asc("a")
Out.Print Len(vbCrLf) & Len(vbTab)
Out.Print StrComp("a", "B") & StrComp("a", "B", vbTextCompare)
'@EVAL "ab" & "cd"
'@EVAL 1 & 2
'@EVAL "1" + "2"
'@EVAL "1" + 2
'@EVAL Len("")
