' The test host object: default property, optional and by-reference arguments, Self.
Dim a, b, o
Out.Print Tst
Tst.Prop = "p"
Out.Print Tst & Tst.Prop
Out.Print Tst.Opt() & " " & Tst.Opt & " " & Tst.Opt(1) & " " & Tst.Opt(Null)
Out.Print Tst.Echo(3) + 1
Set o = Tst.Self
o.Prop = 5
Out.Print Tst.Prop
Out.Print TypeName(Tst) & " " & TypeName(o) & " " & (o Is Tst)
a = 1 : b = "two"
Tst.Swap a, b
Out.Print a & " " & b
Tst.SetOut a
Out.Print a
a = Tst.Self
Out.Print TypeName(a) & " " & a
'@EVAL Tst
'@EVAL Tst.Self
'@EVAL Tst.Opt
'@EVAL Tst.Echo(Array(1))
'@EVAL Out
'@EXEC Tst.Swap a
'@EXEC Tst.Raise 5, "five"
'@RUN Nope|Tst
'@ADDOBJ Other
'@ADDOBJ Other
'@ADDOBJ Out
'@EVAL Other.Prop
'@RESET
'@EVAL Other
'@EVAL a
'@EVAL Tst.Prop
'@PROCS
