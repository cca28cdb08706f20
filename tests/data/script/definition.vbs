' Script of a test definition
Dim pasta   ' the folder

Function Sauda(nome)
    Sauda = "Olá, " & nome & "! d'água"  ' a "quoted" note
End Function
' the last line is a comment