' Fixed, dynamic and multi-dimensional arrays.
Dim fixed(3), dyn(), m(1, 2), i, s
For i = 0 To 3
    fixed(i) = i * i
Next
Out.Print fixed(3) & " " & UBound(fixed) & " " & LBound(fixed)
ReDim dyn(2)
dyn(2) = "last"
ReDim Preserve dyn(4)
Out.Print dyn(2) & " " & UBound(dyn)
m(1, 2) = "corner"
Out.Print m(1, 2) & " " & UBound(m, 1) & " " & UBound(m, 2)
s = Array(1, 2, 3)
t = s
t(0) = 100
Out.Print s(0) & " " & t(0)
Erase fixed
Out.Print IsEmpty(fixed(0)) & " " & UBound(fixed)
Out.Print IsArray(dyn) & " " & IsArray(i) & " " & TypeName(dyn)
On Error Resume Next
Out.Print fixed(4)
Out.Print Err.Number & " " & Err.Description
Err.Clear
ReDim fixed(10)
Out.Print Err.Number
Err.Clear
Erase dyn
Out.Print UBound(dyn)
Out.Print Err.Number
'@EVAL s
'@EVAL s(1)
'@EVAL m(1, 2)
'@EVAL m(1)
'@RUN Nope
