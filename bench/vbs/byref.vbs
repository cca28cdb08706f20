' One million calls of a small Sub with two ByRef arguments.
Sub Bump(ByRef a, ByRef b)
    a = a + 1
    b = b + a
End Sub
Function CallMany()
    Dim i, x, y
    x = 0
    y = 0
    For i = 1 To 1000000
        Bump x, y
    Next
    CallMany = y
End Function
Out.Print CallMany()
