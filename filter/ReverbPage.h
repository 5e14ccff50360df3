#pragma once
#include "BasePropertyPage.h"

// The filter's property page as hosts create it; the editor's controls grow on this page.
class ReverbPage : public BasePropertyPage {
public:
    static constexpr int kWidth = 428;
    static constexpr int kHeight = 451;

    // Class-factory entry: a new page's nondelegating IUnknown, or null with *hr set.
    static IUnknown* Create(IUnknown* outer, HRESULT* hr);

    explicit ReverbPage(IUnknown* outer);
};
