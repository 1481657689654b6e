// A tiny plug-in library that the module tests load at run time.
extern "C" int AfxTestPluginAnswer()
{
    return 42;
}
