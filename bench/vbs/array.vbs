' An array of one million Doubles filled and summed.
Function FillAndSum()
    Dim a(999999), i, total
    For i = 0 To 999999
        a(i) = i * 0.5
    Next
    total = 0
    For i = 0 To 999999
        total = total + a(i)
    Next
    FillAndSum = total
End Function
Out.Print FillAndSum()
