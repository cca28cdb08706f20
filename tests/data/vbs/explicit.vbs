Option Explicit
' Under Option Explicit every name must be declared; globals the host creates later count.
Dim declared
declared = 1
Out.Print declared
Sub UsesLater()
    Out.Print later
End Sub
'@EVAL declared + 1
'@EXEC undeclared = 2
'@ERROR
'@RUN UsesLater
'@EXEC later = "made by the host"
'@RUN UsesLater
'@EVAL undeclaredRead
