' If, Select Case and the loops.
Dim i, j, s, k
For i = 1 To 3
    If i = 1 Then
        Out.Print "one"
    ElseIf i = 2 Then
        Out.Print "two"
    Else
        Out.Print "many"
    End If
Next
Out.Print "i=" & i
If i > 3 Then Out.Print "a" : Out.Print "b" Else Out.Print "c"
If i < 3 Then Out.Print "a" : Out.Print "b" Else Out.Print "c" : Out.Print "d"
For i = 10 To 1 Step -3
    s = s & i & " "
Next
Out.Print s & "/ " & i
For i = 5 To 1
    Out.Print "never"
Next
Out.Print "empty loop " & i
s = ""
For i = 0 To 1 Step 0.5
    s = s & i & ";"
Next
Out.Print s
j = 0
Do While j < 3
    j = j + 1
Loop
Out.Print "do while " & j
Do
    j = j - 1
Loop Until j = 0
Out.Print "loop until " & j
Do
    j = j + 1
    If j = 7 Then Exit Do
Loop
Out.Print "exit do " & j
While j > 5
    j = j - 1
Wend
Out.Print "wend " & j
s = ""
For i = 1 To 3
    For k = 1 To 3
        If k > i Then Exit For
        s = s & i & k & " "
    Next
Next
Out.Print s
For Each k In Array("x", 2, Null)
    Out.Print TypeName(k)
Next
For Each k In Tst
    Out.Print "item " & k
Next
Select Case "b"
Case "a", "b"
    Out.Print "a or b"
Case Else
    Out.Print "else"
End Select
Select Case 42
Case 1: Out.Print "1"
Case Else: Out.Print "else 42"
End Select
With Tst
    .Prop = 12
    Out.Print .Prop + 1
End With
