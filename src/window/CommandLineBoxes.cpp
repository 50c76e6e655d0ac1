#include "window/CommandLineBoxes.h"

#include "convert/CommandLineConversion.h"
#include "model/Document.h"

int ConvertWithMessageBoxes(const std::string& argument, FrontEnd& boxes)
{
    Document doc(boxes);
    ConversionRequest request;
    request.source = argument;
    // Every message is a box to close: the places where a dump line does not follow on
    // are told in one.
    request.followOnWarningsInOneMessage = true;
    return ConvertFromCommandLine(doc, request);
}
