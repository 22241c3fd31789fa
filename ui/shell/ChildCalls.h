// Calls from the frame into child windows that are found at run time. The
// frame includes none of their headers; a window offers a call as a slot (or
// Q_INVOKABLE) of the given name, and a window without it is simply skipped.
//
// Calls the frame makes:
//   grid window:     RepaintGrid()            (else the window is repainted whole)
//                    OpenSolutionForm()       opens the solution-word window
//   legend:          RebuildLists()           refills the lists from the record
//                    UpdateDragCursor()       re-selects the drag cursor from the modifier flags
//   number legend:   ShowSolutionCodes(bool)  solution display on or off
#pragma once

class QObject;

namespace zx {

// True when the target offered the call and it was made.
bool CallChild(QObject* target, const char* method);
bool CallChild(QObject* target, const char* method, bool argument);

} // namespace zx
