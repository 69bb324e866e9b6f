#include "CBase.h"

#include <curl/curl.h>

CBase::CBase()
{
    curl_global_init(CURL_GLOBAL_ALL);
}

CBase::~CBase()
{
    curl_global_cleanup();
}
