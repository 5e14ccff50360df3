#include "MessageSink.h"

namespace {
class MessageBoxSink : public MessageSink {
public:
    int Show(HWND owner, const char* text, const char* caption, UINT flags) override {
        return MessageBoxA(owner, text, caption, flags);
    }
};
}  // namespace

MessageSink& SystemMessageSink() {
    static MessageBoxSink sink;
    return sink;
}
