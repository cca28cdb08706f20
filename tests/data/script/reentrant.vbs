' Procedures that use the script host while they run.
Base = 20
Function Interno(x)
  Interno = x * 3
End Function
Function Externo(n)
  Dim v, w, ok, ok2, num, desc, pos, k
  Fxp.ExeCalc "Base + " & n, v, ok
  w = Fxp.PgmFxExe("Interno", v)
  FxPre.ExeCmd "Visto = " & w, ok
  Fxp.ExeCmd "x = = 1", ok2
  Fxp.VbsErr num, desc, pos
  Rec.Note pos
  k = Fxp.SupVbsFx(Array("Nada"), kind)
  Externo = TypeName(v) & " " & w & " " & ok & ok2 & " " & num & " " & kind & k
End Function
