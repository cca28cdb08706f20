' Procedures the call protocol is tested with.
Function Soma(a, b)
  Soma = a + b
End Function
Function Eco(a, b, c)
  Eco = Replace(a, Chr(34), "Q") & "|" & TypeName(b) & "|" & TypeName(c)
End Function
Function Mesmo(v)
  Mesmo = v
End Function
Function Args()
  Args = Arg1 & "/" & Arg2 & "/" & Arg3
End Function
Function Nove(a1, a2, a3, a4, a5, a6, a7, a8, a9)
  Nove = a1 & a9
End Function
Function Dez(a1, a2, a3, a4, a5, a6, a7, a8, a9, a10)
  Dez = "ran"
End Function
Function Falhar()
  Falhar = 1 / 0
End Function
Sub Marca(x)
  x = 99
End Sub
Sub Falha()
  Err.Raise 5
End Sub
