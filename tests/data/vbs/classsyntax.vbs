' Compile errors of classes: each CODE directive is one faulty definition.
'@CODE Class A\nPublic Property Let P\nEnd Property\nEnd Class
'@CODE Class A\nPublic Default Property Let P(v)\nEnd Property\nEnd Class
'@CODE Class A\nPublic Default Sub X\nEnd Sub\nPublic Default Function Y\nEnd Function\nEnd Class
'@CODE Class A\nSub Class_Initialize(x)\nEnd Sub\nEnd Class
'@CODE Class A\nProperty Get P\nEnd Sub\nEnd Class
'@CODE Property Get P\nEnd Property
'@CODE Class A\nSub X\nEnd Sub\nEnd Sub
'@CODE Class A\nSub X\nEnd Sub
'@CODE Set x = Me
'@CODE Class A\nDim x\nDim x\nEnd Class
'@CODE Class A\nDim x\nSub x\nEnd Sub\nEnd Class
'@CODE Class A\nProperty Get P(a)\nEnd Property\nProperty Let P(v)\nEnd Property\nEnd Class
'@CODE Class A\nPrivate Default Sub X\nEnd Sub\nEnd Class
'@CODE Class A\nx = 1\nEnd Class
'@CODE Class A\nEnd Class\nClass A\nEnd Class
'@CODE Dim B\nClass B\nEnd Class
'@CODE Sub S\nClass C\nEnd Class\nEnd Sub
'@CODE Class A\nProperty X\nEnd Property\nEnd Class
'@CODE Class Good\nPublic V\nEnd Class
'@CODE Dim Good
'@CODE Class Good\nPublic W\nEnd Class
'@ADDOBJ Good
'@EVAL TypeName(New Good)
'@EVAL Good
'@PROCS
'@GET Good
