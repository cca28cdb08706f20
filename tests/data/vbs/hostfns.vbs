' MsgBox and InputBox through a message box service that answers like Enter (the default
' button, the default text); CreateObject and GetObject of ProgIDs nobody registered; constants.
Out.Print MsgBox("Hello") & " " & MsgBox("Sure?", vbYesNo + vbQuestion) & " " & MsgBox("Again?", vbYesNoCancel + vbDefaultButton2, "Title")
Out.Print MsgBox("Retry?", vbRetryCancel + vbDefaultButton2 + vbCritical + vbSystemModal) & " " & TypeName(MsgBox("x"))
Out.Print "[" & InputBox("Name?", "Ask", "Ann") & "] [" & InputBox("Name?") & "] " & TypeName(InputBox("p", , "d"))
Out.Print (MsgBox("ok", vbOKCancel) = vbOK) & " " & (MsgBox("a", vbAbortRetryIgnore) = vbAbort)
On Error Resume Next
Set o = CreateObject("Scripting.FileSystemObject")
Out.Print Err.Number & " " & IsEmpty(o)
Err.Clear
Set o = GetObject(, "Word.Application")
Out.Print Err.Number
Err.Clear
Set o = GetObject("C:\doc.txt")
Out.Print Err.Number
On Error GoTo 0
Out.Print vbOKOnly & vbOKCancel & vbAbortRetryIgnore & vbYesNoCancel & vbYesNo & vbRetryCancel & " " & vbCritical & " " & vbQuestion & " " & vbExclamation & " " & vbInformation
Out.Print vbDefaultButton1 & " " & vbDefaultButton2 & " " & vbDefaultButton3 & " " & vbDefaultButton4 & " " & vbApplicationModal & " " & vbSystemModal
Out.Print vbOK & vbCancel & vbAbort & vbRetry & vbIgnore & vbYes & vbNo & " " & vbSunday & vbMonday & vbSaturday & " " & vbUseSystem & vbFirstJan1 & vbFirstFourDays & vbFirstFullWeek
Out.Print vbGeneralDate & vbLongDate & vbShortDate & vbLongTime & vbShortTime & " " & vbUseDefault & " " & vbTrue & " " & vbFalse & " " & vbBinaryCompare & vbTextCompare
Out.Print vbBlack & " " & vbRed & " " & vbGreen & " " & vbYellow & " " & vbBlue & " " & vbMagenta & " " & vbCyan & " " & vbWhite & " " & TypeName(vbRed) & " " & TypeName(vbYes)
Out.Print Asc(vbCr) & Asc(vbLf) & Asc(vbTab) & Asc(vbFormFeed) & Asc(vbVerticalTab) & Len(vbNullChar) & Len(vbNewLine) & " " & vbObjectError
Out.Print vbEmpty & vbNull & vbInteger & vbLong & vbSingle & vbDouble & vbCurrency & vbDate & vbString & vbObject & vbError & vbBoolean & vbVariant & vbDataObject & vbDecimal & vbByte & vbArray
'@EVAL MsgBox("x", 6)
'@EVAL MsgBox()
'@EVAL CreateObject("No.Such")
'@EVAL CreateObject("")
'@EVAL CreateObject("X.Y", "server")
'@EVAL GetObject()
'@EXEC vbRed = 1
