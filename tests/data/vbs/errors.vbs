' Run-time errors, Err and On Error Resume Next.
Sub Inner()
    Dim z
    z = 1 / 0
    Out.Print "not reached"
End Sub
Sub Outer()
    On Error Resume Next
    Inner
    Out.Print "outer goes on: " & Err.Number & " " & Err.Description
End Sub
Outer
On Error Resume Next
Err.Raise 6
Out.Print Err.Number & " " & Err.Description & " / " & Err.Source
Err.Raise 1000
Out.Print Err.Number & " " & Err.Description
Err.Raise vbObjectError + 7, "Mine", "custom text"
Out.Print Err.Number & " " & Err.Description & " / " & Err.Source
Err.Clear
Out.Print Err.Number & "[" & Err.Description & "]"
If 1 / 0 > 0 Then
    Out.Print "error in a condition enters the branch"
End If
Tst.Raise 440, "host failure"
Out.Print Err.Number & " " & Err.Description
Tst.NoSuchMember
Out.Print Err.Number
Dim v
v.Foo
Out.Print Err.Number
Undefined 1, 2
Out.Print Err.Number
Tst.Swap v
Out.Print Err.Number
On Error GoTo 0
Out.Print Err.Number
'@EVAL Inner
'@ERROR
'@ERRCOL
'@EXEC a = 1 : b = 2 / 0
'@ERROR
'@ERRCOL
'@EVAL Tst.Raise(77, "from eval")
'@ERROR
'@RUN Inner
'@ERROR
'@ERRCOL
