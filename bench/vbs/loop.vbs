' 10 million integer additions and comparisons.
Function Loop10M()
    Dim i, s
    s = 0
    For i = 1 To 10000000
        s = s + i
        If s > 1000000000 Then s = s - 1000000000
    Next
    Loop10M = s
End Function
Out.Print Loop10M()
