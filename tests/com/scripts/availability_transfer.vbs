' A whole availability transfer driven by a script host: the component created by ProgID, the
' college and resources of the in-memory host reached through BzTestHost.Host, rules assigned
' as the host assigns them (some broken), and what the resources and the transfer object got.
' cscript swallows uncaught errors, so every step is checked explicitly (a statement that raises
' is skipped, and the next CheckNoError reports it) and the number of failures is the exit code.
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

Sub CheckNoError(stepName)
    Check Err.Number = 0, stepName & ": " & Hex(Err.Number) & " " & Err.Description
    Err.Clear
End Sub

' A day's periods as BzTestHost reports them: "16:F,17:T,...", one flag letter per period.
Function DayText(firstPeriod, flags)
    Dim i, text
    For i = 1 To Len(flags)
        If i > 1 Then text = text & ","
        text = text & (firstPeriod + i - 1) & ":" & Mid(flags, i, 1)
    Next
    DayText = text
End Function

Dim host, helper, room, lab, transfer, reports
Set host = CreateObject("BzTestHost.Host")
CheckNoError "CreateObject BzTestHost.Host"
Set helper = CreateObject("Brenik_Zefa.TembraLinkHelper")
CheckNoError "CreateObject Brenik_Zefa.TembraLinkHelper"
Set helper.ITembraLinkHelper_SetActiveCollegeReference = host.College
CheckNoError "college"

' Monday 5 January 2026 is teaching day 1 of the first week (periods 0 to 15), Tuesday 6 January
' teaching day 2 (periods 16 to 31); periods are 30 minutes from 09:00.
Set room = host.AddResource("Room 12", "R12")
Set lab = host.AddResource("Lab 3", "L3")
Check helper.PrepareAvailabilityTransfer(Nothing), "PrepareAvailabilityTransfer"
helper.ZEFA_LHF_SetAvailabilityByString(room) = "1/5/2026|1/5/2026|1|09:00|11:00"
helper.ZEFA_LHF_SetAvailabilityByString(lab) = "1/5/2026|1/5/2026|1|09:00"
helper.ZEFA_LHF_SetAvailabilityByString(room) = "1/5/2026|1/5/2026|1|14:00|16:00"
helper.ZEFA_LHF_SetAvailabilityByString(lab) = "1/6/2026|1/6/2026|7|10:00|12:00"
helper.ZEFA_LHF_SetAvailabilityByString(lab) = "1/6/2026|1/6/2026|2|10:00|12:00"
CheckNoError "patterns"

' A target that is no resource fails the call and adds nothing to the report.
helper.ZEFA_LHF_SetAvailabilityByString(host.College) = "1/5/2026|1/5/2026|1|09:00|11:00"
Check Err.Number = 91, "a target that is no resource: " & Err.Number
Err.Clear

Set transfer = host.Transfer
Check helper.FinishAvailabilityTransfer(transfer), "FinishAvailabilityTransfer"
CheckNoError "finish"

Check host.Periods(room) = DayText(0, "TTTTFFFFFFTTTTFF"), "Room 12: " & host.Periods(room)
Check host.Periods(lab) = DayText(16, "FFTTTTFFFFFFFFFF"), "Lab 3: " & host.Periods(lab)
reports = host.Reports
Check UBound(reports) = 0, "reports: " & UBound(reports) + 1
Check reports(0) = vbCrLf & "Error converting availability for 'Lab 3': Parsing availability string" _
    & vbCrLf & "Error converting availability for 'Lab 3': Calculating Day of Week", _
    "report: " & reports(0)
CheckNoError "results"

' Once the script lets go, nobody holds a host object any more.
Set helper = Nothing
Set room = Nothing
Set lab = Nothing
Set transfer = Nothing
Check host.HeldObjects = 0, "host objects still held: " & host.HeldObjects
CheckNoError "release"

WScript.Quit failures
