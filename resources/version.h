// One version for every deliverable; the .rc files and the code read it here.
#pragma once

#define CORVANE_VERSION_MAJOR 1
#define CORVANE_VERSION_MINOR 1
#define CORVANE_VERSION_PATCH 0
#define CORVANE_VERSION_BUILD 0
#define CORVANE_VERSION_TEXT "1.1.0.0"
#define CORVANE_PRODUCT_NAME "Corvane"
#define CORVANE_COMPANY_NAME "Brindlewick"
#define CORVANE_COPYRIGHT "Copyright (C) Brindlewick"
