' Classes: fields, methods, Property Get/Let/Set, a default member, Me, New, Class_Initialize,
' Public and Private, arrays in fields, objects in fields, ByRef arguments of methods.
Class Account
    Public Owner
    Private mBalance
    Private history()
    Private count

    Private Sub Class_Initialize
        mBalance = 0 : count = 0
        ReDim history(1)
    End Sub

    Public Sub Deposit(ByVal amount)
        If amount <= 0 Then Err.Raise vbObjectError + 1, "Account", "Amount must be positive"
        mBalance = mBalance + amount
        Record "D" & amount
    End Sub

    Private Sub Record(entry)
        If count > UBound(history) Then ReDim Preserve history(count * 2)
        history(count) = entry
        count = count + 1
    End Sub

    Public Property Get Balance
        Balance = mBalance
    End Property

    Public Property Let Limit(v)
        If v < 0 Then Exit Property
        Me.Owner = Owner & "(" & v & ")"
    End Property

    Public Default Property Get Entry(i)
        If i < count Then Entry = history(i) Else Entry = "none"
    End Property

    Public Function Describe()
        Describe = Owner & ": " & Balance & " in " & count & " entries"
    End Function

    Public Function Log()
        Dim i, s
        For i = 0 To count - 1
            s = s & history(i) & " "
        Next
        Log = Trim(s)
    End Function

    Public Sub TakeAll(ByRef target)
        target = mBalance
        mBalance = 0
    End Sub

    Public Function Self()
        Set Self = Me
    End Function
End Class

Class Pair
    Public First, Second
    Private mInner
    Public Property Set Inner(o)
        Set mInner = o
    End Property
    Public Property Get Inner
        Set Inner = mInner
    End Property
End Class

Dim a, p, n, other
Set a = New Account
a.Owner = "Ann"
a.Deposit 10 : a.Deposit 20 : a.Deposit 5
Out.Print a.Describe() & " | " & a.Balance & " | " & a(1) & " " & a.Entry(5) & " | " & a.Log
a.Limit = 3 : a.Limit = -1
Out.Print a.Owner & " " & TypeName(a) & " " & VarType(a) & " " & IsObject(a) & " " & (a.Self Is a)
n = 0 : a.TakeAll n
Out.Print n & " " & a.Balance
Set p = New Pair
p.First = 1 : p.Second = "two"
Set p.Inner = a
Out.Print p.First & p.Second & " " & p.Inner.Owner & " " & TypeName(p.Inner)
Set other = New Pair
Out.Print IsEmpty(other.First) & " " & (other Is p) & " " & (p.Inner Is a)
With a
    .Deposit 1
    Out.Print .Balance & " " & .Log
End With
On Error Resume Next
a.Deposit -5
Out.Print Err.Number - vbObjectError & " " & Err.Source & " " & Err.Description
Err.Clear
a.Record "x"
Out.Print Err.Number & " private"
Err.Clear
x = a.mBalance
Out.Print Err.Number & " private field"
Err.Clear
a.Balance = 5
Out.Print Err.Number & " no Let"
Err.Clear
Set p.First = a
Out.Print Err.Number & " field Set " & TypeName(p.First)
Err.Clear
p.Inner = 5
Out.Print Err.Number & " no Let for Inner"
Err.Clear
x = p
Out.Print Err.Number & " no default"
Err.Clear
Set q = New Missing
Out.Print Err.Number & " " & Err.Description
'@EVAL a.Describe
'@EVAL a(0)
'@EVAL a
'@EVAL p
'@EVAL TypeName(New Pair)
'@EVAL Tst.Echo(a).Owner
'@EXEC Set Tst.Prop = a : Out.Print Tst.Prop.Owner
'@EVAL a.Nope
'@EVAL New Missing
'@PROCS
