' Names inside methods: locals, then the object's members, then globals; Eval and Execute in a
' method see the same; a class defined by ExecuteStatement; redefinition of a class.
Option Explicit
Dim total, shared
shared = "global"
Class Counter
    Private count
    Public step
    Private Sub Class_Initialize
        count = 0 : step = 1
    End Sub
    Public Sub Tick()
        count = count + step
        total = total + 1
    End Sub
    Public Property Get Value
        Value = count
    End Property
    Public Function Peek(expr)
        Peek = Eval(expr)
    End Function
    Public Sub Run(code)
        Execute code
    End Sub
    Public Function Shadow()
        Dim shared : shared = "local"
        Shadow = shared
    End Function
    Public Function Global()
        Global = shared
    End Function
    Public Function Twice(o)
        o.Tick : o.Tick
        Set Twice = o
    End Function
End Class
Dim c
total = 0
Set c = New Counter
c.Tick : c.step = 5 : c.Tick
Out.Print c.Value & " " & total & " " & c.Peek("count * 10") & " " & c.Peek("Me.Value + step")
c.Run "count = 100 : Tick"
Out.Print c.Value & " " & total & " " & c.Shadow() & " " & c.Global()
Out.Print c.Twice(New Counter).Value & " " & total
'@EXEC Class Later : Public V : End Class
'@EVAL TypeName(New Later)
'@EXEC Class Counter : Public Value : End Class
'@EXEC Set y = New Counter : y.Value = "field now"
'@EVAL y.Value
'@EVAL c.Value & " " & TypeName(c)
'@EVAL Me
'@EXEC Set x = New Later
'@EVAL c.count
