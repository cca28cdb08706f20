' Eval, Execute and ExecuteGlobal: the caller's scope, globals, procedures they define, and
' their errors as errors of the calling statement.
Dim g : g = 10
Out.Print Eval("g * 2 + 1") & " " & Eval("g = 10") & " " & TypeName(Eval("""x"" & g"))
Execute "g = g + 5 : h = ""new global"""
Out.Print g & " " & h
ExecuteGlobal "Function Cube(n) : Cube = n * n * n : End Function"
Out.Print Cube(3)
Execute "Sub FromExecute(x) : x = x & ""!"" : End Sub"
s = "hey" : FromExecute s : Out.Print s

Function Locals(a)
    Dim b : b = 2
    Execute "b = b * a : c = a + 1"
    Locals = Eval("a & "","" & b & "","" & c")
End Function
Out.Print Locals(7) & " " & IsEmpty(c) & " " & c

Function Counted()
    Counted = 1
    Execute "Counted = Counted + 41"
End Function
Out.Print Counted()

Sub Global
    Dim g : g = "local g"
    Execute "Out.Print g"
    ExecuteGlobal "Out.Print g"
End Sub
Global

Sub Failing
    On Error Resume Next
    Execute "x = 1 / 0"
    Out.Print "execute " & Err.Number
    Err.Clear
    Execute "If Then"
    Out.Print "syntax " & Err.Number & " " & Err.Description
    Err.Clear
    v = Eval("Nope(1)")
    Out.Print "eval " & Err.Number
End Sub
Failing
Execute "With Tst : .Prop = 9 : End With"
Out.Print Tst.Prop
'@EVAL Eval("1 +")
'@EVAL Eval("Len(""abc"")")
'@EXEC Execute "y = 1 / 0"
'@ERROR
'@ERRCOL
'@EXEC Execute ""
'@EVAL Eval("")
'@PROCS
