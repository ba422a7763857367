// Names of the program's texts: one for each entry of the string tables (resources/strings/*.rc,
// which keep the numbers). The code names a text only through these; tests/check_strings.py
// holds them to the tables: every English text has one name, every name a text in every language.
//
// Plain #defines and nothing else: the header is read by the resource compiler, the native build
// of the Windows-free modules (fuzz/) and the checker.
#pragma once

// Application
#define IDS_ABOUT_MENU_ITEM 101
#define IDS_MAIN_TITLE      103
#define IDS_MUTEX_NAME      104

// Installation-language names
#define IDS_LANGUAGE_ENGLISH              110
#define IDS_LANGUAGE_FRENCH               111
#define IDS_LANGUAGE_GERMAN               112
#define IDS_LANGUAGE_ITALIAN              113
#define IDS_LANGUAGE_JAPANESE             114
#define IDS_LANGUAGE_KOREAN               115
#define IDS_LANGUAGE_PORTUGUESE_BRAZILIAN 116
#define IDS_LANGUAGE_CHINESE_SIMPLIFIED   117
#define IDS_LANGUAGE_SPANISH              118
#define IDS_LANGUAGE_CHINESE_TRADITIONAL  119
#define IDS_LANGUAGE_HUNGARIAN            500
#define IDS_LANGUAGE_RUSSIAN              501
#define IDS_LANGUAGE_POLISH               502
#define IDS_LANGUAGE_CZECH                503

// Installer transform file names, one per installation language
#define IDS_TRANSFORM_ENGLISH              120
#define IDS_TRANSFORM_FRENCH               121
#define IDS_TRANSFORM_GERMAN               122
#define IDS_TRANSFORM_ITALIAN              123
#define IDS_TRANSFORM_JAPANESE             124
#define IDS_TRANSFORM_KOREAN               125
#define IDS_TRANSFORM_PORTUGUESE_BRAZILIAN 126
#define IDS_TRANSFORM_CHINESE_SIMPLIFIED   127
#define IDS_TRANSFORM_SPANISH              128
#define IDS_TRANSFORM_CHINESE_TRADITIONAL  129
#define IDS_TRANSFORM_HUNGARIAN            504
#define IDS_TRANSFORM_RUSSIAN              505
#define IDS_TRANSFORM_POLISH               506
#define IDS_TRANSFORM_CZECH                507

// File-dialog filters ("description|pattern")
#define IDS_FILTER_TRANSFORM  140
#define IDS_FILTER_PDF        141
#define IDS_FILTER_EXECUTABLE 466
#define IDS_FILTER_MSI        467
#define IDS_FILTER_HTML       468
#define IDS_FILTER_ALL        469

// The first prerequisite items (the product, its companions and the older Windows releases): name,
// description, web address, installer file on the media and more-information tooltip of each
#define IDS_NAME_PRODUCT              210
#define IDS_NAME_DATABASE             211
#define IDS_NAME_DATA_ACCESS          212
#define IDS_NAME_BROKERS              213
#define IDS_NAME_OSKELT               214
#define IDS_NAME_WINDOWSXP            215
#define IDS_NAME_WINDOWS2000          216
#define IDS_NAME_WINDOWSNT4           217
#define IDS_NAME_FLOW_DEBUGGER        218
#define IDS_NAME_WINDOWS2003          219
#define IDS_DESCRIPTION_PRODUCT       220
#define IDS_DESCRIPTION_DATABASE      221
#define IDS_DESCRIPTION_DATA_ACCESS   222
#define IDS_DESCRIPTION_BROKERS       223 // empty
#define IDS_DESCRIPTION_OSKELT        224 // empty
#define IDS_DESCRIPTION_WINDOWSXP     225
#define IDS_DESCRIPTION_WINDOWS2000   226
#define IDS_DESCRIPTION_WINDOWSNT4    227
#define IDS_DESCRIPTION_FLOW_DEBUGGER 228
#define IDS_DESCRIPTION_WINDOWS2003   229
#define IDS_URL_PRODUCT               230
#define IDS_URL_DATABASE              231
#define IDS_URL_DATA_ACCESS           232
#define IDS_URL_BROKERS               233
#define IDS_URL_OSKELT                234
#define IDS_URL_WINDOWSXP             235
#define IDS_URL_WINDOWS2000           236
#define IDS_URL_WINDOWSNT4            237
#define IDS_URL_FLOW_DEBUGGER         238 // empty
#define IDS_URL_WINDOWS2003           239
#define IDS_INSTALLER_PRODUCT         240 // the product's installer package
#define IDS_INSTALLER_DATABASE        241
#define IDS_INSTALLER_DATA_ACCESS     242
#define IDS_INSTALLER_BROKERS         243
#define IDS_INSTALLER_OSKELT          244 // empty
#define IDS_INSTALLER_WINDOWSXP       245 // empty
#define IDS_INSTALLER_WINDOWS2000     246 // empty
#define IDS_INSTALLER_WINDOWSNT4      247 // empty
#define IDS_INSTALLER_FLOW_DEBUGGER   248
#define IDS_INSTALLER_WINDOWS2003     249 // empty
#define IDS_MORE_INFO_PRODUCT         250
#define IDS_MORE_INFO_DATABASE        251
#define IDS_MORE_INFO_DATA_ACCESS     252
#define IDS_MORE_INFO_BROKERS         253
#define IDS_MORE_INFO_OSKELT          254
#define IDS_MORE_INFO_WINDOWSXP       255
#define IDS_MORE_INFO_WINDOWS2000     256
#define IDS_MORE_INFO_WINDOWSNT4      257
#define IDS_MORE_INFO_FLOW_DEBUGGER   258
#define IDS_MORE_INFO_WINDOWS2003     259

// The software panel's action buttons
#define IDS_BUTTON_CDROM    300
#define IDS_BUTTON_INTERNET 301
#define IDS_BUTTON_NETWORK  302

// The prompt for missing media ("%s": the media's name)
#define IDS_MEDIA_PROMPT_FORMAT 310

// Prerequisite status words
#define IDS_STATUS_OK              311
#define IDS_STATUS_NOT_INSTALLED   312
#define IDS_STATUS_INCORRECT_LEVEL 313
#define IDS_STATUS_ERROR           314
#define IDS_STATUS_PARTIAL_INSTALL 315
#define IDS_STATUS_NOT_64_BIT      316

// The explanation under a satisfied prerequisite
#define IDS_STATUS_SATISFIED_EXPLANATION 2001

// Previous-version findings
#define IDS_PREVIOUS_BROKERS_INSTALLED 320
#define IDS_PREVIOUS_NONE_DETECTED     321
#define IDS_PREVIOUS_VERSION_DETECTED  322
#define IDS_PREVIOUS_VERSION_ERROR     323
#define IDS_PREVIOUS_COMPONENTS_FOUND  324

// The installation panel's software summary and other summaries
#define IDS_SUMMARY_ALL_INSTALLED     330
#define IDS_SUMMARY_SOME_MISSING      331
#define IDS_SUMMARY_ALREADY_INSTALLED 332
#define IDS_SUMMARY_MIGRATION         333

// Start-up warnings. The first is also the description of a catalogue entry whose Windows is at a
// level the product does not support.
#define IDS_UNSUPPORTED_OS    340
#define IDS_NOT_ADMINISTRATOR 341

// Product names and headings
#define IDS_SERVER_COMPONENT        357
#define IDS_JMS_COMPONENT           358
#define IDS_PRODUCT_REGISTERED      359
#define IDS_PRODUCT_VERSION         360
#define IDS_PRODUCT_SHORT_NAME      465
#define IDS_SOFTWARE_HEADING_FORMAT 378 // "%s on %s": the product's short name, a Windows

// Tooltips
#define IDS_TIP_LAUNCH_INSTALLER      361
#define IDS_TIP_INSTALL_FROM_CDROM    363
#define IDS_TIP_GO_TO_WEB_SITE        364
#define IDS_TIP_NETWORK_CONFIGURATION 365
#define IDS_TIP_WELCOME               366
#define IDS_TIP_SOFTWARE_REQUIREMENTS 367
#define IDS_TIP_LICENSING             369
#define IDS_TIP_INSTALLATION          370
#define IDS_TIP_GUIDE                 372
#define IDS_TIP_RELEASE_NOTES         373
#define IDS_TIP_EXIT                  374
#define IDS_TIP_REFRESH               375
#define IDS_TIP_NETWORK_MORE_INFO     387

// Network configuration panel
#define IDS_NETWORK_HEADING           385
#define IDS_NETWORK_INTRO             431
#define IDS_NETWORK_QUESTION          434
#define IDS_NETWORK_YES               435
#define IDS_NETWORK_NO                436
#define IDS_NETWORK_DONT_KNOW         437
#define IDS_NETWORK_MORE_INFO         438
#define IDS_NETWORK_EXPLAIN_YES       388 // the explanation of each answer on the panel
#define IDS_NETWORK_EXPLAIN_NO        391
#define IDS_NETWORK_EXPLAIN_DONT_KNOW 393
#define IDS_NETWORK_SUMMARY_YES       395 // and its step on the installation panel
#define IDS_NETWORK_SUMMARY_NO        396
#define IDS_NETWORK_SUMMARY_DONT_KNOW 397

// Parts of the installer's log-file path
#define IDS_LOG_PREFIX    401
#define IDS_LOG_EXTENSION 402
#define IDS_TEMP_VARIABLE 403 // the environment variable of the log folder

// Welcome panel
#define IDS_WELCOME_HEADING        404
#define IDS_WELCOME_INTRO          405
#define IDS_WELCOME_BUTTONS_INTRO  406
#define IDS_WELCOME_SOFTWARE_TITLE 407
#define IDS_WELCOME_SOFTWARE_TEXT  408
#define IDS_WELCOME_NETWORK_TITLE  409
#define IDS_WELCOME_NETWORK_TEXT   410
#define IDS_WELCOME_INSTALL_TITLE  413
#define IDS_WELCOME_INSTALL_TEXT   414
#define IDS_WELCOME_GUIDE_TITLE    415
#define IDS_WELCOME_GUIDE_TEXT     416
#define IDS_WELCOME_NOTES_TITLE    417
#define IDS_WELCOME_NOTES_TEXT     418

// Installation panel
#define IDS_INSTALL_HEADING         421
#define IDS_INSTALL_STATUS          422
#define IDS_INSTALL_SOFTWARE        423
#define IDS_INSTALL_NETWORK_STEPS   424
#define IDS_INSTALL_LAUNCH          426
#define IDS_INSTALL_LANGUAGE_PROMPT 455

// Software requirements panel
#define IDS_SOFTWARE_INTRO        427
#define IDS_SOFTWARE_EXPAND_HINT  429
#define IDS_SOFTWARE_REFRESH      430
#define IDS_SOFTWARE_REFRESH_HINT 463

// Question box buttons
#define IDS_QUESTION_OK     442
#define IDS_QUESTION_CANCEL 443

// Main window navigation and command buttons
#define IDS_NAV_WELCOME       444
#define IDS_NAV_SOFTWARE      445
#define IDS_NAV_NETWORK       446
#define IDS_NAV_INSTALL       464
#define IDS_NAV_EXIT          448
#define IDS_NAV_GUIDE         449
#define IDS_NAV_RELEASE_NOTES 450

// Language list errors
#define IDS_LANGUAGE_LIST_ERROR     452
#define IDS_LANGUAGE_LIST_NO_MEMORY 453

// The Explorer variant's texts
#define IDS_EXPLORER_WELCOME_INTRO         470
#define IDS_EXPLORER_WELCOME_SOFTWARE_TEXT 471
#define IDS_EXPLORER_SOFTWARE_INTRO        472
#define IDS_EXPLORER_NAME                  473
#define IDS_EXPLORER_INSTALL_HEADING       474
#define IDS_EXPLORER_NAV_INSTALL           475
#define IDS_EXPLORER_TIP_INSTALLATION      476
#define IDS_EXPLORER_INSTALL_LAUNCH        477

// Installation guide errors
#define IDS_GUIDE_NO_VIEWER  480
#define IDS_GUIDE_VIEW_ERROR 481

// The Windows releases of the catalogue: full name, more-information tooltip, requirement text,
// web address, short name (what an item's status text starts with) and, where it differs from the
// short name, the name the software panel's heading gives the release.
#define IDS_SHORT_WINDOWS2003   353
#define IDS_HEADING_WINDOWS2003 379
#define IDS_SHORT_WINDOWSXP     354
#define IDS_HEADING_WINDOWSXP   376
#define IDS_SHORT_WINDOWS2000   355
#define IDS_HEADING_WINDOWS2000 377
#define IDS_SHORT_WINDOWSNT4    356

#define IDS_NAME_WINDOWSXP_X64        510
#define IDS_MORE_INFO_WINDOWSXP_X64   515
#define IDS_DESCRIPTION_WINDOWSXP_X64 511
#define IDS_URL_WINDOWSXP_X64         538
#define IDS_SHORT_WINDOWSXP_X64       517
#define IDS_HEADING_WINDOWSXP_X64     516

#define IDS_NAME_WINDOWS2003_X64        521
#define IDS_MORE_INFO_WINDOWS2003_X64   522
#define IDS_DESCRIPTION_WINDOWS2003_X64 523
#define IDS_URL_WINDOWS2003_X64         524
#define IDS_SHORT_WINDOWS2003_X64       520
#define IDS_HEADING_WINDOWS2003_X64     525

#define IDS_NAME_WINDOWSVISTA        530
#define IDS_MORE_INFO_WINDOWSVISTA   543
#define IDS_DESCRIPTION_WINDOWSVISTA 534
#define IDS_URL_WINDOWSVISTA         539
#define IDS_SHORT_WINDOWSVISTA       547
#define IDS_HEADING_WINDOWSVISTA     551

#define IDS_NAME_WINDOWSVISTA_X64        532
#define IDS_MORE_INFO_WINDOWSVISTA_X64   544
#define IDS_DESCRIPTION_WINDOWSVISTA_X64 535
#define IDS_URL_WINDOWSVISTA_X64         540
#define IDS_SHORT_WINDOWSVISTA_X64       548
#define IDS_HEADING_WINDOWSVISTA_X64     552

#define IDS_NAME_SERVER2008        531
#define IDS_MORE_INFO_SERVER2008   545
#define IDS_DESCRIPTION_SERVER2008 536
#define IDS_URL_SERVER2008         541
#define IDS_SHORT_SERVER2008       549
#define IDS_HEADING_SERVER2008     553

#define IDS_NAME_SERVER2008_X64        533
#define IDS_MORE_INFO_SERVER2008_X64   546
#define IDS_DESCRIPTION_SERVER2008_X64 537
#define IDS_URL_SERVER2008_X64         542
#define IDS_SHORT_SERVER2008_X64       550
#define IDS_HEADING_SERVER2008_X64     554

#define IDS_NAME_WINDOWS7        482
#define IDS_MORE_INFO_WINDOWS7   483
#define IDS_DESCRIPTION_WINDOWS7 484
#define IDS_URL_WINDOWS7         485
#define IDS_SHORT_WINDOWS7       498

#define IDS_NAME_WINDOWS7_X64        486
#define IDS_MORE_INFO_WINDOWS7_X64   487
#define IDS_DESCRIPTION_WINDOWS7_X64 488
#define IDS_URL_WINDOWS7_X64         489
#define IDS_SHORT_WINDOWS7_X64       499

#define IDS_NAME_SERVER2008R2_X86        490
#define IDS_MORE_INFO_SERVER2008R2_X86   491
#define IDS_DESCRIPTION_SERVER2008R2_X86 492
#define IDS_URL_SERVER2008R2_X86         493
#define IDS_SHORT_SERVER2008R2_X86       508

#define IDS_NAME_SERVER2008R2        494
#define IDS_MORE_INFO_SERVER2008R2   495
#define IDS_DESCRIPTION_SERVER2008R2 496
#define IDS_URL_SERVER2008R2         497
#define IDS_SHORT_SERVER2008R2       509

#define IDS_NAME_WINDOWS8        512
#define IDS_MORE_INFO_WINDOWS8   513
#define IDS_DESCRIPTION_WINDOWS8 514
#define IDS_URL_WINDOWS8         518
#define IDS_SHORT_WINDOWS8       568

#define IDS_NAME_WINDOWS8_X64        519
#define IDS_MORE_INFO_WINDOWS8_X64   526
#define IDS_DESCRIPTION_WINDOWS8_X64 527
#define IDS_URL_WINDOWS8_X64         528
#define IDS_SHORT_WINDOWS8_X64       569

#define IDS_NAME_SERVER2012        529
#define IDS_MORE_INFO_SERVER2012   555
#define IDS_DESCRIPTION_SERVER2012 556
#define IDS_URL_SERVER2012         557
#define IDS_SHORT_SERVER2012       570

#define IDS_NAME_SERVER2012_X64        558
#define IDS_MORE_INFO_SERVER2012_X64   559
#define IDS_DESCRIPTION_SERVER2012_X64 566
#define IDS_URL_SERVER2012_X64         567
#define IDS_SHORT_SERVER2012_X64       571

#define IDS_NAME_WINDOWS81        578
#define IDS_MORE_INFO_WINDOWS81   579
#define IDS_DESCRIPTION_WINDOWS81 580
#define IDS_URL_WINDOWS81         581
#define IDS_SHORT_WINDOWS81       577

#define IDS_NAME_WINDOWS81_X64        583
#define IDS_MORE_INFO_WINDOWS81_X64   584
#define IDS_DESCRIPTION_WINDOWS81_X64 585
#define IDS_URL_WINDOWS81_X64         586
#define IDS_SHORT_WINDOWS81_X64       582

#define IDS_NAME_SERVER2012R2        573
#define IDS_MORE_INFO_SERVER2012R2   574
#define IDS_DESCRIPTION_SERVER2012R2 575
#define IDS_URL_SERVER2012R2         576
#define IDS_SHORT_SERVER2012R2       572

#define IDS_NAME_WINDOWS10        588
#define IDS_MORE_INFO_WINDOWS10   589
#define IDS_DESCRIPTION_WINDOWS10 590
#define IDS_URL_WINDOWS10         591
#define IDS_SHORT_WINDOWS10       587

#define IDS_NAME_WINDOWS10_X64        593
#define IDS_MORE_INFO_WINDOWS10_X64   594
#define IDS_DESCRIPTION_WINDOWS10_X64 595
#define IDS_URL_WINDOWS10_X64         596
#define IDS_SHORT_WINDOWS10_X64       592

#define IDS_NAME_SERVER2016        598
#define IDS_MORE_INFO_SERVER2016   599
#define IDS_DESCRIPTION_SERVER2016 600
#define IDS_URL_SERVER2016         601
#define IDS_SHORT_SERVER2016       597

#define IDS_NAME_SERVER2019        603
#define IDS_MORE_INFO_SERVER2019   604
#define IDS_DESCRIPTION_SERVER2019 605
#define IDS_URL_SERVER2019         606
#define IDS_SHORT_SERVER2019       602

#define IDS_NAME_SERVER2022        608
#define IDS_MORE_INFO_SERVER2022   609
#define IDS_DESCRIPTION_SERVER2022 610
#define IDS_URL_SERVER2022         611
#define IDS_SHORT_SERVER2022       607

#define IDS_NAME_WINDOWS11        613
#define IDS_MORE_INFO_WINDOWS11   614
#define IDS_DESCRIPTION_WINDOWS11 615
#define IDS_URL_WINDOWS11         616
#define IDS_SHORT_WINDOWS11       612

// Any later Windows, and the heading's name for a release without one of its own
#define IDS_NAME_WINDOWS        560
#define IDS_MORE_INFO_WINDOWS   564
#define IDS_DESCRIPTION_WINDOWS 561
#define IDS_URL_WINDOWS         562
#define IDS_EMPTY_WINDOWS       563 // empty, in the group's block
#define IDS_SHORT_WINDOWS       565
