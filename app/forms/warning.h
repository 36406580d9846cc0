#pragma once
// The memory-full warning: shown (never modal) when the meter reports its internal memory
// full; OK hides it.

#include "platform/gui/Forms.h"

class TForm2 : public TForm {
    PRAVIX_CLASS(TForm2, TForm)
public:
    explicit TForm2(TComponent* owner);
    ~TForm2() override;

private:
    void Button1Click(TObject* sender);
};

extern TForm2* Form2;
