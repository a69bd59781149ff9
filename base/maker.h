// The maker's web site and notice, shared by the About box, the update
// check and the printed footer. Plain string macros so the resource
// scripts can use them too; C++ code writes L"" MAKER_HOST.
#pragma once

#define MAKER_HOST "www.lumivex.com"
#define MAKER_HOME_URL "https://" MAKER_HOST
#define MAKER_UPDATE_BASE MAKER_HOME_URL "/cgi-bin/upgrade?p=windows/"
#define MAKER_NOTICE "(c) 2007 Lumivex"
#define PRODUCT_PATH "Lumivex/Quorin-3-Chapter-Hebrew"
#define PRODUCT_VERSION "1.84a"
