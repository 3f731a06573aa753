' The component driven by a script host: created by ProgID, handed a college written as a
' VBScript class, and an error it raises arriving as Err.Number with its description while the
' object stays usable. cscript swallows uncaught errors, so every step is checked explicitly and
' the number of failures is the exit code.
Option Explicit
On Error Resume Next

Dim failures
failures = 0

Sub Check(condition, message)
    If Not condition Then
        WScript.Echo "FAIL: " & message
        failures = failures + 1
    End If
End Sub

Class College
    Public Property Get startDate
        startDate = DateSerial(2026, 1, 5)
    End Property
    Public Property Get startTime
        startTime = TimeSerial(9, 0, 0)
    End Property
    Public Property Get endTime
        endTime = TimeSerial(17, 0, 0)
    End Property
    Public Property Get PeriodsPerDay
        PeriodsPerDay = 16
    End Property
    Public Property Get WeeksPerYear
        WeeksPerYear = 52
    End Property
    Public Property Get DaysOfWeek
        DaysOfWeek = Array(2, 3, 4, 5, 6)
    End Property
End Class

Dim helper
Set helper = CreateObject("Brenik_Zefa.TembraLinkHelper")
Check Err.Number = 0, "CreateObject: " & Hex(Err.Number) & " " & Err.Description
Err.Clear

Dim key, period
key = "R1"
period = 17

' Before any college the day computation divides by zero.
helper.MarkTheDay key, period
Check Err.Number = 11, "error number before the college: " & Err.Number
Check Err.Description = "Division by zero", "error description: " & Err.Description
Err.Clear

Set helper.ITembraLinkHelper_SetActiveCollegeReference = New College
Check Err.Number = 0, "college: " & Hex(Err.Number) & " " & Err.Description
Err.Clear

Check helper.PrepareAvailabilityTransfer(Nothing), "PrepareAvailabilityTransfer"
helper.MarkTheDay key, period
Check helper.DayHasBeenMarked(key, period), "the marked day"
Check Not helper.DayHasBeenMarked("r1", period), "another key's day"
Check Not helper.DayHasBeenMarked(key, 40), "another day"
Check Err.Number = 0, "day marks: " & Hex(Err.Number) & " " & Err.Description
Check TypeName(key) = "String" And TypeName(period) = "Integer", "arguments written back"

WScript.Quit failures
