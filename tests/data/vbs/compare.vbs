' Comparisons, including the rule for literals against strings.
Dim opcSel, n, s
opcSel = "1"
Out.Print opcSel = 1
Out.Print 1 = opcSel
Out.Print opcSel = "1"
n = 1000 : s = "100"
Out.Print s > n
Out.Print n < "9"
Out.Print 1 = "1"
Out.Print "B" < "a"
Out.Print "" = Empty
Out.Print 0 = Empty
Out.Print IsNull(Null = Null)
Out.Print 3 = 3.0
Out.Print True = -1
Const ONE = 1
Out.Print opcSel = ONE
Select Case opcSel
Case 0
    Out.Print "zero"
Case 1
    Out.Print "one"
End Select
'@EVAL opcSel = 1
'@EVAL opcSel = 2
'@EVAL s > n
'@EVAL "abc" = 1
'@EXEC x = "abc" = 1
