#pragma once
// Stands in for MessageBoxA with no owner window and a single OK button.
class ISystemMessageBox {
public:
    virtual ~ISystemMessageBox() = default;
    virtual void Show(const char* text, const char* caption) = 0;
};

ISystemMessageBox& HostSystemMessageBox();
