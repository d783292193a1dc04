#pragma once
// Written by draw_pictures.py: resource ids of the main window's pictures.

#define IDB_ButB_0 200
#define IDB_ButB_1 201
#define IDB_ButB_2 202
#define IDB_ButB_3 203
#define IDB_ButB_4 204
#define IDB_ButB_5 205
#define IDB_ButB_6 206
#define IDB_ButB_7 207
#define IDB_ButB_9 208
#define IDB_ButB_10 209
#define IDB_ButB_11 210
#define IDB_ButB_12 211
#define IDB_ButB_13 212
#define IDB_ButB_14 213
#define IDB_ButB_15 214
#define IDB_ButB_16 215
#define IDB_ButB_17 216
#define IDB_ButB_18 217
#define IDB_ButB_19 218
#define IDB_ButB_22 219
#define IDB_ButB_23 220
#define IDB_ButB_24 221
#define IDB_ButB_25 222
#define IDB_ButB_26 223
#define IDB_ButB_27 224
#define IDB_ButB_28 225
#define IDB_bsw 226
#define IDB_bview2 227
#define IDB_bStatScroll_0 228
#define IDB_bStatScroll_1 229
#define IDB_bPropCSS_0 230
#define IDB_bPropCSS_1 231
