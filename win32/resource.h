#pragma once

// Resource and control numbers shared by chessboard.rc and the C++ code. The menu items use
// the numbers of chess::CommandId and the square images those of chess::imageResourceId.

#define IDI_CHESSBOARD 300
#define IDC_STATUSBAR 100

// The promotion dialog's controls; the buttons' results follow the promotion choices 0-3.
#define IDC_QUEEN 100
#define IDC_ROOK 101
#define IDC_BISHOP 102
#define IDC_KNIGHT 103
#define IDC_PROMPT 104
#define IDC_DEFAULT 105

// The clock dialog's controls: a radio button for each of the core's choices in their order,
// one for the players' own after them, and its two fields, each after its label.
#define IDC_CLOCK_CHOICE 110 // 110-114
#define IDC_OWN_CHOICE 115
#define IDC_MINUTES_LABEL 116
#define IDC_MINUTES 117
#define IDC_PLUS 118
#define IDC_SECONDS_LABEL 119
#define IDC_SECONDS 120
