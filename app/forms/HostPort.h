#pragma once
// The port dialog: a host port (OFF, COM 1 to COM 8) and a baud rate; OK hands both to the
// main window's port choice, which opens the port.

#include "platform/gui/Forms.h"

class TSelectHPForm : public TForm {
    PRAVIX_CLASS(TSelectHPForm, TForm)
public:
    explicit TSelectHPForm(TComponent* owner);
    ~TSelectHPForm() override;

private:
    void BTOKClick(TObject* sender);
};

extern TSelectHPForm* SelectHPForm;
