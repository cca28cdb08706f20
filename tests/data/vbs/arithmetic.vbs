' Numeric literals, subtypes and the arithmetic operators.
Out.Print TypeName(1) & " " & TypeName(32768) & " " & TypeName(2147483648) & " " & TypeName(1.5)
Out.Print TypeName(32767 + 1) & " " & 32767 + 1
Out.Print TypeName(2147483647 + 1) & " " & 2147483647 + 1
Out.Print 10 / 4 & " " & TypeName(10 / 5)
Out.Print 7 \ 2 & " " & -7 \ 2 & " " & 7 Mod 3 & " " & -7 Mod 3
Out.Print 2 ^ 10 & " " & -2 ^ 2 & " " & 2 ^ -2
Out.Print 1 + 2 * 3 - 4 / 2
Out.Print (1 + 2) * 3
Out.Print &HFF & " " & &HFFFF & " " & &H7FFF & " " & &HFFFF& & " " & &O777
Out.Print 0.1 + 0.2
Out.Print 1 / 3
Out.Print 1E15 & " " & 1E-6 & " " & 123456789012345
Out.Print True + True
Out.Print Empty + 5
Out.Print TypeName(Null + 5)
Out.Print (6 And 3) & "," & (6 Or 3) & "," & (6 Xor 3) & "," & Not 6
'@EVAL 1 + 1
'@EVAL 32767 + 1
'@EVAL 1 / 0
'@EVAL 1 \ 0
'@EVAL 2147483647 * 2
'@EVAL "3" * "4"
'@EVAL "a" * 2
'@EVAL -32768
'@EVAL CInt(2.5) + CInt(3.5)
