#pragma once
// A disk window over fake services and two fake drives: / of 100 MB with 40 MB free, labelled
// "system", and a second one of 200 MB with 150 MB free, /home unless the test names another.
// The window is not open yet, so a test can change the drives or the context first.

#include <QString>

#include "drives/frm_quorvane.h"
#include "tests/support/fakes.h"

struct DiskWindow : FakeServices {
    frmQuorvane window{context};

    explicit DiskWindow(const Volume& second = MakeVolume("/home"));

    // Triggers the menu item named Item.
    void Trigger(const char* item);
    // The text of the table at Row, Col.
    QString Cell(int row, int col) const;
};
