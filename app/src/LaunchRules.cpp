#include "app/LaunchRules.h"

#include <cstdlib>

namespace launch {

namespace {

// A plain decimal number above 0, else 0.
int PositiveNumber(const std::string& text)
{
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos)
        return 0;
    return std::atoi(text.c_str());
}

}  // namespace

int BackVersionToStore(const std::string& commandLine, int stored)
{
    const size_t slash = commandLine.rfind('/');
    if (slash != std::string::npos && commandLine.substr(0, slash) == "updatefinsh")
    {
        // A version that is not a number must not wipe the setting to 0.
        const int version = PositiveNumber(commandLine.substr(slash + 1));
        return version > 0 ? version : 1;
    }
    if (commandLine == "updatefinsh")
        return 1;
    return stored == 0 ? 1 : -1;
}

Options ParseOptions(int argc, const char* const argv[])
{
    Options options;
    for (int i = 1; i < argc; ++i)
    {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--headless")
        {
            options.headless = true;
        }
        else if (arg == "--no-draw")
        {
            options.noDraw = true;
        }
        else if (arg == "--frames" || arg == "--screenshot" || arg == "--res" || arg == "--speed")
        {
            if (!hasValue)
            {
                options.ok = false;
                options.error = arg + " needs a value";
                return options;
            }
            const std::string value = argv[++i];
            if (arg == "--frames")
            {
                options.frames = PositiveNumber(value);
                if (options.frames <= 0 && value != "0")
                {
                    options.ok = false;
                    options.error = "--frames needs a number";
                    return options;
                }
            }
            else if (arg == "--speed")
            {
                options.speed = PositiveNumber(value);
                if (options.speed < 1 || options.speed > 60)
                {
                    options.ok = false;
                    options.error = "--speed needs a number from 1 to 60";
                    return options;
                }
            }
            else if (arg == "--screenshot")
            {
                options.screenshot = value;
            }
            else
            {
                options.resourceDir = value;
            }
        }
        else if (arg.size() > 2 && arg.compare(0, 2, "--") == 0)
        {
            // Options of other layers take one value unless written --name=value.
            options.extra.push_back(arg);
            if (arg.find('=') == std::string::npos && hasValue && std::string(argv[i + 1]).compare(0, 2, "--") != 0)
                options.extra.push_back(argv[++i]);
        }
        else
        {
            if (!options.commandLine.empty())
                options.commandLine += ' ';
            options.commandLine += arg;
        }
    }
    // The frame is written when the frames are done; without an end it never would be.
    if (!options.screenshot.empty() && options.frames < 0)
    {
        options.ok = false;
        options.error = "--screenshot needs --frames";
    }
    // Faster clocks and frames left undrawn are for test runs nobody watches.
    if ((options.speed != 1 || options.noDraw) && !options.headless)
    {
        options.ok = false;
        options.error = options.noDraw ? "--no-draw needs --headless" : "--speed needs --headless";
    }
    return options;
}

std::string ResolveSound(const std::string& name, const std::vector<std::string>& extensions, ExistsFn exists)
{
    if (name.empty() || exists == nullptr)
        return std::string();
    const size_t slash = name.rfind('/');
    const size_t dot = name.rfind('.');
    const std::string base =
        dot != std::string::npos && (slash == std::string::npos || dot > slash) ? name.substr(0, dot) : name;
    for (const std::string& extension : extensions)
        if (exists(base + extension))
            return base + extension;
    return exists(name) ? name : std::string();
}

}  // namespace launch
