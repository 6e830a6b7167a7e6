// Host of the embedded web windows. This platform has no browser: the host
// exists so callers keep their shape, and showing or hiding does nothing.
#pragma once

class CWebBrowserHost
{
public:
    static CWebBrowserHost* GetInstance();
    void ShowWebWindows(bool show);
    bool IsShown() const { return false; }

private:
    CWebBrowserHost() = default;
};
