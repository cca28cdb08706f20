' Subtypes and comparisons as the language has them: a leading minus binds tighter than ^,
' hex literals take the smallest type that holds their value, Round and Abs keep Boolean and
' Byte, Single beside Double, Boolean texts, Select Case with a text Case, arrays that do not
' exist before their Dim runs, conversions used as statements.
Out.Print -2 ^ 2 & " " & -(2 ^ 2) & " " & 2 ^ -1
Out.Print TypeName(&h10&) & " " & TypeName(&hFFFF&) & " " & &hFFFF& & " " & TypeName(&hFFFFFFFF&) & " " & &hFFFF
Out.Print TypeName(Round(True)) & " " & Round(True) & " " & TypeName(Abs(CByte(3))) & " " & CByte(True) & " " & TypeName(CByte(True))
Out.Print (CSng(0.1) = 0.1) & " " & (CSng(0.5) < 0.6) & " " & (0.1 = CSng(0.1))
Out.Print CBool("#TRUE#") & " " & CBool("#false#") & " " & (Not "#FALSE#") & " " & ("#TRUE#" And True)
If "#TRUE#" Then Out.Print "a text True is true"
Select Case 3
    Case "test"
        Out.Print "wrong"
    Case 3
        Out.Print "three"
End Select
Dim t : t = "1"
Select Case t
    Case 1
        Out.Print "the text 1 matches Case 1"
End Select
Out.Print TypeName(later) & " " & IsEmpty(later)
Dim later(2)
Out.Print TypeName(later)
Dim copy : copy = later
ReDim copy(5)
Out.Print UBound(copy)
For Each t In Tst
Next
Out.Print "after For Each over an object: " & IsEmpty(t)
On Error Resume Next
Call CInt(2)
Out.Print Err.Number
Err.Clear
CStr(Null)
Out.Print Err.Number
