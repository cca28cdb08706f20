Class Node
    Public nxt
End Class
a = Array()
Set h = Nothing
For i = 1 To 5000
    a = Array(a)
    Set n = New Node
    Set n.nxt = h
    Set h = n
Next
