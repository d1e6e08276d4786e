// English (United States) and French (France) as the device ships them.
#include "platform/locale/locale_data.h"

namespace {

const LocaleData kEnglish = {
    LANG_ENGLISH,
    u"M/d/yyyy",
    u"dddd, MMMM d, yyyy",
    u"h:mm:ss tt",
    {u"January", u"February", u"March", u"April", u"May", u"June", u"July", u"August", u"September", u"October",
     u"November", u"December"},
    {u"Jan", u"Feb", u"Mar", u"Apr", u"May", u"Jun", u"Jul", u"Aug", u"Sep", u"Oct", u"Nov", u"Dec"},
    {u"Sunday", u"Monday", u"Tuesday", u"Wednesday", u"Thursday", u"Friday", u"Saturday"},
    {u"Sun", u"Mon", u"Tue", u"Wed", u"Thu", u"Fri", u"Sat"},
    u"AM",
    u"PM",
    u"A.D.",
};

const LocaleData kFrench = {
    LANG_FRENCH,
    u"dd/MM/yyyy",
    u"dddd d MMMM yyyy",
    u"HH:mm:ss",
    {u"janvier", u"f\u00e9vrier", u"mars", u"avril", u"mai", u"juin", u"juillet", u"ao\u00fbt", u"septembre",
     u"octobre", u"novembre", u"d\u00e9cembre"},
    {u"janv.", u"f\u00e9vr.", u"mars", u"avr.", u"mai", u"juin", u"juil.", u"ao\u00fbt", u"sept.", u"oct.",
     u"nov.", u"d\u00e9c."},
    {u"dimanche", u"lundi", u"mardi", u"mercredi", u"jeudi", u"vendredi", u"samedi"},
    {u"dim.", u"lun.", u"mar.", u"mer.", u"jeu.", u"ven.", u"sam."},
    u"",
    u"",
    u"ap. J.-C.",
};

const LocaleData* ForLanguage(WORD primary) {
  if (primary == LANG_ENGLISH) return &kEnglish;
  if (primary == LANG_FRENCH) return &kFrench;
  return nullptr;
}

}  // namespace

const LocaleData* FindLocaleData(LCID locale) {
  if (locale == LOCALE_USER_DEFAULT || locale == LOCALE_NEUTRAL) {
    const LocaleData* data = ForLanguage(PRIMARYLANGID(GetUserDefaultLangID()));
    return data ? data : &kEnglish;
  }
  if (locale == LOCALE_SYSTEM_DEFAULT) {
    const LocaleData* data = ForLanguage(PRIMARYLANGID(GetSystemDefaultLangID()));
    return data ? data : &kEnglish;
  }
  return ForLanguage(PRIMARYLANGID(LANGIDFROMLCID(locale)));
}
