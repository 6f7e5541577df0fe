-- Fills "{{version}}" and "{{date}}" in the manual's text and metadata from
-- the edition the build passes (edition.yaml: the project's version and the
-- commit's date), so neither is typed into a source. A placeholder without
-- a value stops the build rather than print itself.
local values = {}

local function fill(text)
  return (text:gsub('{{(%w+)}}', function(key)
    if not values[key] then
      error('manual: no value for {{' .. key .. '}}')
    end
    return values[key]
  end))
end

local function fillText(element)
  element.text = fill(element.text)
  return element
end

function Pandoc(doc)
  for _, key in ipairs({ 'version', 'date' }) do
    if doc.meta[key] then
      values[key] = pandoc.utils.stringify(doc.meta[key])
    end
  end
  return doc:walk({ Str = fillText, Code = fillText, CodeBlock = fillText, RawInline = fillText })
end
