' RGB, FormatCurrency, the engine's name and version, vbDatabaseCompare, and the error numbers
' of built-ins given Null or a wrong kind of argument.
Out.Print RGB(255, 128, 0) & " " & TypeName(RGB(1, 2, 3)) & " " & RGB(300, 0, 1)
Out.Print FormatCurrency(1234.567) & " " & FormatCurrency(-5) & " " & FormatCurrency(-5, 1, , vbFalse)
Out.Print ScriptEngine & " " & TypeName(ScriptEngineMajorVersion) & " " & (ScriptEngineMinorVersion >= 0) & " " & TypeName(ScriptEngineBuildVersion)
Out.Print vbDatabaseCompare & " " & TypeName(vbDatabaseCompare)
Sub Try(code)
    On Error Resume Next
    Execute code
    Out.Print code & " -> " & Err.Number & " " & Err.Description
End Sub
Try "x = Sgn(Null)"
Try "x = InStrRev(Null, ""a"")"
Try "x = Replace(Null, ""a"", ""b"")"
Try "x = DateSerial(2000, Null, 1)"
Try "x = TimeSerial(Null, 0, 0)"
Try "x = DateAdd(""d"", Null, Now)"
Try "x = MonthName(Null)"
Try "x = Mid(""abc"", 1, Null)"
Try "x = Join(Null)"
Try "x = FormatNumber(1, Null)"
Try "x = FormatPercent(1, 2, Null)"
Try "x = FormatDateTime(Now, Null)"
Try "x = FormatCurrency(Null)"
Try "x = Join(New RegExp)"
Dim grid(1, 1)
Try "x = Join(grid)"
Try "x = Right(Null, -1)"
Try "x = RGB(-1, 0, 0)"
Try "x = Randomize(0)"
Try "Call CLng(1)"
Try "CStr 2"
Try "Call Abs(-1)"
Sub Fixed
    On Error Resume Next
    Dim s(2)
    ReDim s("abc")
    Out.Print "ReDim of a fixed array -> " & Err.Number
End Sub
Fixed
Out.Print IsNull(DateAdd("d", 1, Null)) & " " & IsNull(Right(Null, 2)) & " " & IsNull(InStr(Null, "a"))
