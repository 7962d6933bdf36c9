// The skills a teacher picks a group's from: the spelling and grammar skills of the primary years,
// those of the program's four boards among them. She may type any other.
export const skills = [
  ["همزة قطع", "cutting hamza"], ["همزة وصل", "joining hamza"], ["لام شمسية", "sun lam"], ["لام قمرية", "moon lam"],
  ["تاء مربوطة", "taa marbuta"], ["تاء مفتوحة", "open taa"], ["هاء", "haa"], ["ألف لينة", "alif layyina"],
  ["ألف ممدودة", "long alif"], ["مد بالألف", "long vowel alif"], ["مد بالواو", "long vowel waw"], ["مد بالياء", "long vowel yaa"],
  ["تنوين فتح", "tanween fath"], ["تنوين ضم", "tanween damm"], ["تنوين كسر", "tanween kasr"], ["شدة", "shadda"],
  ["سكون", "sukun"], ["فتحة", "fatha"], ["ضمة", "damma"], ["كسرة", "kasra"],
  ["همزة على السطر", "hamza on the line"], ["همزة على الألف", "hamza on alif"], ["همزة على الواو", "hamza on waw"],
  ["همزة على الياء", "hamza on yaa"], ["حرف مضعف", "doubled letter"], ["حرف لا يُنطق", "silent letter"],
  ["اسم", "noun"], ["فعل", "verb"], ["حرف", "particle"], ["فعل ماض", "past verb"], ["فعل مضارع", "present verb"],
  ["فعل أمر", "imperative verb"], ["فاعل", "subject"], ["مفعول به", "object"], ["مبتدأ", "subject of a nominal sentence"],
  ["خبر", "predicate"], ["حرف جر", "preposition"], ["اسم مجرور", "noun after a preposition"], ["ضمير", "pronoun"],
  ["اسم إشارة", "demonstrative"], ["اسم موصول", "relative pronoun"], ["صفة", "adjective"], ["حرف عطف", "conjunction"],
  ["مفرد", "singular"], ["مثنى", "dual"], ["جمع", "plural"], ["مذكر", "masculine"], ["مؤنث", "feminine"],
].map(([arabic, english]) => ({arabic, english}));
