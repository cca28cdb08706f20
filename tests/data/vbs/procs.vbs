' Procedures: functions, subs, ByRef and ByVal, recursion, hoisting.
Out.Print Square(7)
Function Square(x)
    Square = x * x
End Function
Function Fact(n)
    If n <= 1 Then
        Fact = 1
    Else
        Fact = n * Fact(n - 1)
    End If
End Function
Sub Inc(x)
    x = x + 1
End Sub
Sub IncVal(ByVal x)
    x = x + 1
End Sub
Sub Both(ByRef a, ByVal b)
    a = a & "!"
    b = b & "!"
End Sub
Function Counter()
    Counter = 1
    Counter = Counter + 1
End Function
Dim n, a(2), t, u
n = 5
Inc n : Out.Print n
IncVal n : Out.Print n
Inc (n) : Out.Print n
Call Inc(n) : Out.Print n
a(1) = 10
Inc a(1) : Out.Print a(1)
Inc n + 1 : Out.Print n
t = "t" : u = "u"
Both t, u
Out.Print t & u
Out.Print Fact(10)
Out.Print Counter()
Sub Early(x)
    If x > 0 Then Exit Sub
    Out.Print "not positive"
End Sub
Early 1
Early -1
Tst.Swap t, u
Out.Print t & u
Tst.SetOut a(2)
Out.Print a(2)
'@PROCS
'@ITEM square
'@ITEM Nothing
'@RUN Fact|5
'@RUN Inc|41
'@RUN Both|"x"|"y"
'@RUN Early|0
'@RUN Square
'@RUN Missing|1
'@CALL Square|9
'@CALL Missing
'@GET n
'@PUT n|"changed"
'@GET n
'@GET nosuch
'@PUT nosuch|1
