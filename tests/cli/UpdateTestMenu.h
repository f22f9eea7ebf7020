#pragma once

// The drive and the file the update commands are tried on.
// P1 cannot reach 9 (its maximum is 6), P2 can reach 4, P3 shows 3.00 already, P4 shows
// an error text instead of a number, P5 steps over 2.
inline const char kMenu[] =
    "param P1 Limited ; value=5 ; min=0 ; max=6\n"
    "param P2 Next ; value=1 ; max=9\n"
    "param P3 Equal ; value=3.00\n"
    "param P4 Heat ; error=Error 07 Sensor\n"
    "param P5 Odd ; value=1 ; step=2\n";
// Names as the drive shows them; P9 is not on the drive, P3 differs only as text.
inline const char kWanted[] =
    "P1 Limited \t9\tYes\r\n"
    "P2 Next \t4\tYes\r\n"
    "P3 Equal \t3\tYes\r\n"
    "P4 Heat \t7\tYes\r\n"
    "P5 Odd \t2\tYes\r\n"
    "P9 Missing \t7\tYes\r\n";
