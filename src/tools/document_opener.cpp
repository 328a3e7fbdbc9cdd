#include "tools/document_opener.h"

namespace {
DocumentOpener *g_opener = nullptr;
}

DocumentOpener *documentOpener()
{
    return g_opener;
}

void setDocumentOpener(DocumentOpener *opener)
{
    g_opener = opener;
}

DocumentOpenerScope::DocumentOpenerScope(DocumentOpener &opener) : previous_(g_opener)
{
    g_opener = &opener;
}

DocumentOpenerScope::~DocumentOpenerScope()
{
    g_opener = previous_;
}
