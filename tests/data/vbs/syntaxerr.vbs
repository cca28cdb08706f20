' A file that does not compile: nothing of it is defined or run.
Sub Defined
    Out.Print "never"
End Sub
Out.Print "never either"
x = (1 + 2
'@PROCS
'@ERROR
'@ERRCOL
'@CODE If x Then
'@ERROR
'@ERRCOL
'@CODE y = "open
'@ERRCOL
'@CODE Foo(1, 2)
'@ERRCOL
'@CODE For i = 1 To 2\nNext i
'@ERROR
'@ERRCOL
'@CODE Exit Do
'@CODE Dim d\nDim d
'@CODE Sub S\nEnd Function
'@CODE Out.Print "compiles"
'@EVAL
'@EVAL 1 +
'@EVAL 1 2
'@EXEC Loop
