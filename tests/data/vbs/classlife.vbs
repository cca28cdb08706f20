' The life of objects: Class_Initialize when made, Class_Terminate when the last reference goes
' (at the end of the releasing statement or call), errors of Class_Initialize reach the caller,
' errors of Class_Terminate go nowhere and leave Err alone, Reset terminates what globals hold.
Class Tracked
    Public Name
    Private Sub Class_Initialize
        Out.Print "init"
    End Sub
    Private Sub Class_Terminate
        Out.Print "terminate " & Name
    End Sub
End Class

Class Faulty
    Private Sub Class_Initialize
        Err.Raise 1000 + vbObjectError, "Faulty", "cannot start"
    End Sub
    Private Sub Class_Terminate
        Out.Print "never"
    End Sub
End Class

Class Noisy
    Private Sub Class_Terminate
        Out.Print "noisy ends"
        Dim z : z = 1 / 0
    End Sub
End Class

Function Made(n)
    Dim t : Set t = New Tracked
    t.Name = n
    Set Made = t
End Function

Function Temporary()
    Dim t : Set t = New Tracked
    t.Name = "temp"
    Temporary = "result"
End Function

Sub Scoped()
    Dim t : Set t = New Tracked
    t.Name = "local"
    Out.Print "leaving scoped"
End Sub

Dim a, b, c
Set a = Made("a")
Set b = a
Set a = Nothing
Out.Print "b still holds it"
Set b = Nothing
Out.Print "after b"
Out.Print Temporary()
Scoped
Out.Print "after scoped"
Made "dropped"
Out.Print "after dropped"
Set c = Made("c")
c.Name = "kept"
On Error Resume Next
Set f = New Faulty
Out.Print Err.Number - vbObjectError & " " & Err.Description & " " & IsEmpty(f)
Err.Clear
Err.Raise 7
Set nz = New Noisy
Set nz = Nothing
Out.Print "Err still " & Err.Number
On Error GoTo 0
Dim arr(1)
Set arr(0) = Made("in array")
Erase arr
Out.Print "after erase"
Set g = Made("global")
'@RESET
'@EVAL 1
