' A string built by 100,000 concatenations.
Function Build()
    Dim i, s
    s = ""
    For i = 1 To 100000
        s = s & "ab"
    Next
    Build = Len(s)
End Function
Out.Print Build()
