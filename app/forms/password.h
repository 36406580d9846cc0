#pragma once
// The power-user password form: OK hides it and sets power-user mode when the password
// matches.

#include "platform/gui/Forms.h"

class TPasswordForm : public TForm {
    PRAVIX_CLASS(TPasswordForm, TForm)
public:
    explicit TPasswordForm(TComponent* owner);
    ~TPasswordForm() override;

private:
    void BTPasswordOKClick(TObject* sender);
};

extern TPasswordForm* PasswordForm;
