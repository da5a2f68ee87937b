#pragma once
// FrmFengmian: the home window. Its panels come later; for now it loads empty.

#include "toolkit/form.h"

class FrmFengmian : public tk::FormT<FrmFengmian> {
    Q_OBJECT
public:
    FrmFengmian() = default;

protected:
    void Form_Load() override {}
};
