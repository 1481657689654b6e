#include "Ketrin.h"
#include "TextBuffer.h"

#include <string>

namespace
{
bool IsSeparator(char ch)
{
    return ch == '/' || ch == '\\';
}

std::string Text(const char* path)
{
    return path ? std::string(path) : std::string();
}

// Index just past the last separator (0 when there is none).
size_t FileStart(const std::string& path)
{
    size_t pos = path.find_last_of("/\\");
    return pos == std::string::npos ? 0 : pos + 1;
}

// Index of the extension's dot within path, or npos.
size_t ExtStart(const std::string& path)
{
    size_t start = FileStart(path);
    size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot <= start)
        return std::string::npos;
    std::string file = path.substr(start);
    if (file == "..")
        return std::string::npos;
    return dot;
}

} // namespace

namespace ketrin
{
std::string PathWithSlashes(std::string path)
{
    for (char& ch : path)
        if (ch == '\\')
            ch = '/';
    return path;
}

std::string PathDir(const std::string& path)
{
    size_t start = FileStart(path);
    if (start == 0)
        return std::string();
    size_t end = start - 1;
    while (end > 0 && IsSeparator(path[end - 1]))
        --end;
    if (end == 0)
        return "/";
    return PathWithSlashes(path.substr(0, end));
}

std::string PathName(const std::string& path)
{
    size_t start = FileStart(path);
    size_t ext = ExtStart(path);
    return path.substr(start, ext == std::string::npos ? std::string::npos : ext - start);
}

std::string PathExt(const std::string& path)
{
    size_t ext = ExtStart(path);
    return ext == std::string::npos ? std::string() : path.substr(ext);
}

std::string PathFile(const std::string& path)
{
    return path.substr(FileStart(path));
}

std::string PathJoin(const std::string& dir, const std::string& name)
{
    if (dir.empty() || os_path_is_absolute(name.c_str()))
        return PathWithSlashes(name);
    std::string joined = PathWithSlashes(dir);
    if (joined.back() != '/')
        joined += '/';
    size_t skip = 0;
    while (skip < name.size() && IsSeparator(name[skip]))
        ++skip;
    return joined + PathWithSlashes(name.substr(skip));
}
} // namespace ketrin

int os_path_is_absolute(const char* path)
{
    return path && path[0] == '/' ? 1 : 0;
}

int os_path_dir(const char* path, char* out, int outSize)
{
    return ketrin::FillBuffer(ketrin::PathDir(Text(path)), out, outSize);
}

int os_path_name(const char* path, char* out, int outSize)
{
    return ketrin::FillBuffer(ketrin::PathName(Text(path)), out, outSize);
}

int os_path_ext(const char* path, char* out, int outSize)
{
    return ketrin::FillBuffer(ketrin::PathExt(Text(path)), out, outSize);
}

int os_path_file(const char* path, char* out, int outSize)
{
    return ketrin::FillBuffer(ketrin::PathFile(Text(path)), out, outSize);
}

int os_path_join(const char* dir, const char* name, char* out, int outSize)
{
    return ketrin::FillBuffer(ketrin::PathJoin(Text(dir), Text(name)), out, outSize);
}
