' Grammar that scripts written elsewhere use: statements right after Case, End closing a
' statement, one-line If ... End If, procedures inside blocks, calls through parentheses, New
' with a member, Me in global code, a keyword right after a hex literal.
Class Counter
    Public Value
    Public Function Init(start)
        Value = start
        Set Init = Me
    End Function
    Public Sub Bump() Value = Value + 1 End Sub
End Class

Function Kind(n)
    Select Case n
        Case 1 Kind = "one"
        Case 2, 3 Kind = "two or three"
        Case Else Kind = "many"
    End Select
End Function
Out.Print Kind(1) & "|" & Kind(3) & "|" & Kind(9)

Dim x
If False Then x = 1 Else x = 2 End If
Out.Print x
If True Then x = 3 End If
Out.Print x

If False Then
Sub Hidden
    Out.Print "defined although its If is not taken"
End Sub
End If
Hidden

Sub OneLine() Out.Print "one-line sub" End Sub
OneLine
Sub Closes
    Out.Print "End right after a statement" End Sub
Closes

Function Double(v)
    Double = v * 2
End Function
Dim arr : arr = Array(10, 20)
x = (Double)(4) & " " & ((arr))(1) & " " & (New Counter).Init(7).Value
Out.Print x

Sub SetFirst(a)
    a(0) = "changed"
End Sub
arr = Array("kept")
Call ((SetFirst)) ((arr))
Out.Print arr(0)
Call ((SetFirst)) (arr)
Out.Print arr(0)

Dim c : Set c = New Counter.Init(5)
c.Bump
Out.Print c.Value
Call (New Counter).Bump

Out.Print TypeName(Me) & " " & (Me Is Me)
Out.Print (&h01or&h02)
