' The RegExp class: its properties, Test, Execute (matches, groups) and Replace with $ forms.
Dim re, m, ms, s
Set re = New RegExp
Out.Print TypeName(re) & " [" & re.Pattern & "] " & re.IgnoreCase & " " & re.Global & " " & re.MultiLine
re.Pattern = "(\w+)@(\w+)\.com"
Out.Print re.Test("mail ana@site.com now") & " " & re.Test("no mail")
Set ms = re.Execute("ana@site.com, rui@web.com")
Out.Print TypeName(ms) & " " & ms.Count
Set m = ms(0)
Out.Print TypeName(m) & " " & m & " " & m.FirstIndex & " " & m.Length & " " & m.SubMatches.Count & " " & m.SubMatches(1)
re.Global = True
For Each m In re.Execute("ana@site.com, rui@web.com")
    Out.Print m.Value & " at " & m.FirstIndex & ": " & m.SubMatches(0)
Next
Out.Print re.Replace("ana@site.com, rui@web.com", "$2:$1 [$&]")
re.Pattern = "(a)|(b)"
Set m = re.Execute("b")(0)
Out.Print IsEmpty(m.SubMatches(0)) & " " & m.SubMatches(1)
re.Pattern = "^x"
re.MultiLine = False
Out.Print re.Execute("x1" & vbLf & "x2").Count
re.MultiLine = True
Out.Print re.Execute("x1" & vbLf & "x2").Count
re.Pattern = "end$"
re.MultiLine = False
Out.Print re.Test("the end" & vbLf) & " " & re.Test("the end")
re.Pattern = "ab"
re.IgnoreCase = True
Out.Print re.Replace("AB ab aB", "-")
re.Global = False
Out.Print re.Replace("AB ab aB", "-")
re.Pattern = ""
re.Global = True
Out.Print re.Replace("xyz", "_") & " " & re.Execute("xyz").Count
re.Pattern = "(\d)(\d)"
Out.Print re.Replace("12 34", "$2$1 $$ $3 $` $'")
Set re = CreateObject("VBScript.RegExp")
re.Pattern = "[unclosed"
On Error Resume Next
s = re.Test("x")
Out.Print Err.Number & " " & Err.Description
