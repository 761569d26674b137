#pragma once
// Entry point of KZ947: the host check, the single-instance check, the main window.
int Main();
