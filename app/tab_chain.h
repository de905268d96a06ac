#pragma once
// The keyboard order of the main window's controls, as its template lists them: the search
// mask's fields before its buttons, the ID3v2 page from "Titel Num." to "Encod. von", the ID3v1
// page in its own order.
struct MainDialogWidgets;

void SetTabChain(const MainDialogWidgets& widgets);
