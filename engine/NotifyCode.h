#pragma once

// What a notification posted to a registered window says happened (the high word of its
// WM_COMMAND wParam).
enum NotifyCode : int {
    kNotifyCodeInputFormat = 0,   // the input pin's media type was set
    kNotifyCodeOutputFormat = 1,  // the output pin's media type was set
    kNotifyCodeLoaded = 100,      // parameters were loaded from a persisted stream
};
