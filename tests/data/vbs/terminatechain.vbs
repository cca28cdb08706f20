' A Class_Terminate that makes and drops an object of its own class would terminate objects
' for ever: the chain ends, as deep recursion does, with 28 "Out of stack space" at the
' statement that released the first object.
Dim count
Class Chain
    Private Sub Class_Terminate
        count = count + 1
        Dim o
        Set o = New Chain
    End Sub
End Class
Dim c : Set c = New Chain
On Error Resume Next
Set c = Nothing
Out.Print Err.Number & " " & Err.Description & " " & (count > 100)
On Error GoTo 0
Set c = New Chain
Set c = Nothing
Out.Print "not reached"
'@ERROR
