#include "SkinClasses.h"

#include "Edit.h"
#include "FreqDisplay.h"
#include "Meter.h"
#include "PushButton.h"
#include "RevTime.h"
#include "Slider.h"
#include "StaticImage.h"
#include "StaticText.h"

void RegisterSkinClasses(HINSTANCE module) {
    RegisterPushButtonClass(module);
    RegisterSliderClass(module);
    RegisterEditClass(module);
    RegisterStaticTextClass(module);
    RegisterStaticImageClass(module);
    RegisterFreqDisplayClass(module);
    RegisterRevTimeClass(module);
    RegisterMeterClass(module);
}
