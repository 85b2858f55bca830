// FrmMain's key check. The window and its picture boxes pass every key-down here (Form_Load);
// the text and list boxes keep their keys.

#include "workspace/frmmain.h"

#include "core/system.h"
#include "workspace/shortcuts.h"

namespace workspace {

void FrmMain::KeyClick(int keyCode, int shift)
{
    // The key fields are judged on their own codes without storing them in StepTypeValue: that
    // value is what the timed-step timer tests, and a key press must not stop an "8888" step.
    const stepengine::StepRecord step(sys_.state.StepLine);
    if (shortcuts::judgeKey(step, { keyCode, shift }))
        doNext(); // a shortcut of a path, too, goes on to the next step
}

} // namespace workspace
