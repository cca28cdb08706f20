' The Err object as the language fills it: Raise keeps what Err holds for what it leaves out,
' system error codes and numbers past 16 bits, HelpFile and HelpContext, and the text of the
' language's own errors alone.
On Error Resume Next
Err.Raise 1, "src", "desc", "help.chm", 7
Err.Raise 5
Out.Print Err.Number & "|" & Err.Source & "|" & Err.Description & "|" & Err.HelpFile & "|" & Err.HelpContext
Err.Clear
Err.Raise 5
Out.Print Err.Number & "|" & Err.Source & "|" & Err.Description & "|" & Err.HelpFile & "|" & Err.HelpContext
Err.Clear
Err.Raise &H8007000E
Out.Print Err.Number & "|" & Err.Description
Err.Raise &H10000
Out.Print Err.Number
Err.Raise -1
Out.Print Err.Number
Err.Clear
Err.Raise 1, "src", "desc", "help.chm", 7
Dim n : n = LBound(5)
Out.Print Err.Number & "|" & Err.Source & "|" & Err.Description & "|" & Err.HelpFile & "|" & Err.HelpContext
Err.Clear
Err.NoSuchThing
Out.Print Err.Number & "|" & Err.Description
Err.Clear
n = LBound()
Out.Print Err.Number & "|" & Err.Description
