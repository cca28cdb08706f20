On Error Resume Next
Do
    x = x + 1
    Err.Raise 5
Loop
