On Error Resume Next
s = String(1073741824, "a")
s = Space(2000000000)
s = "ab"
Do
    s = s & s
Loop Until Err.Number <> 0
ReDim a(65535, 65535, 65535, 65535)
a(1, 2, 3, 4) = 5
ReDim b(2147483647)
