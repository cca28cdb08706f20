' The Script Control members and their failure cases: the error object's lifetime, AddCode's
' partial success, procedures in definition order, AddObject's names, the code object.
Dim counter
counter = 1
Const Fixed = 5
Function Add(a, b)
    Add = a + b
End Function
Sub Bump(ByRef v)
    v = v + 1
End Sub
'@ERROR
'@EVAL counter
'@CODE Sub Later(x)\nEnd Sub\ncounter = counter + 1\nnope = 1 / 0\ncounter = 100
'@ERROR
'@ERRCOL
'@EVAL counter
'@ITEM later
'@EVAL Add(1, 2)
'@ERROR
'@CODE Sub Broken(\nEnd Sub
'@ERROR
'@ERRCOL
'@ITEM Broken
'@CODE Function Add(a, b, c)\nAdd = a & b & c\nEnd Function\nSub Add2\nEnd Sub\nSub Add2(x)\nEnd Sub
'@PROCS
'@ITEM ADD
'@ITEM Missing
'@RUN Add|1|2|3
'@RUN Add|1
'@RUN Missing
'@RUN Bump|41
'@RUN Counter
'@EXEC x = 1\ny = 2\nz = 1 / 0
'@ERROR
'@ERRCOL
'@EVAL 1 +
'@ERROR
'@ERRCOL
'@EXEC Dim Tst
'@EXEC Tst = 1
'@EXEC Sub Out\nEnd Sub
'@ADDOBJ counter
'@ADDOBJ Add
'@ADDOBJ Bad Name
'@ADDOBJ Fresh
'@ADDOBJ fresh
'@EVAL Fresh.Prop
'@GET counter
'@GET Fixed
'@GET Add
'@GET nothingHere
'@GET Tst
'@PUT counter|"changed"
'@EVAL counter
'@PUT Fixed|1
'@PUT Add|1
'@PUT brandNew|1
'@PUT counter|Tst
'@EVAL TypeName(counter)
'@CALL Add|"a"|"b"|"c"
'@CALL Add|1
'@CALL Bump|1
'@CALL counter
'@CALL nope
'@RESET
'@ERROR
'@PROCS
'@GET counter
'@EVAL Fresh
