-- wrk script: POSTs SOAP requests exactly as the desktop program writes them,
-- each with the next keyword of a list of realistic searches (Chinese goods
-- names of one to six characters, English words, HS codes and code prefixes
-- with and without dots), so the service searches instead of repeating one
-- answer. OPERATION names the operation (Tariff, Commodity, Export,
-- PE_Article). Each wrk thread starts at another place in the list.
-- KEYWORD_FILE, when set, names a file of keywords (one per line) to use
-- instead: the run script writes the description and title sets there.
local operation = assert(os.getenv("OPERATION"), "OPERATION is not set")
local token = "7c41e9a03bd6f5821ce0a49d3b6"

local keywords = {
  "钢", "不锈钢", "钢铁", "热轧", "冷轧 不锈钢", "猪肉", "牛", "马", "鸡", "虾", "茶", "乌龙茶", "大豆",
  "豆油", "小麦", "大米", "棉花", "羊毛", "啤酒", "葡萄酒", "白酒", "烟", "轮胎", "橡胶", "塑料",
  "聚氯乙烯", "化肥", "药品", "口罩", "玩具", "家具", "红木家具", "手机", "电话机", "计算机", "电视",
  "空调", "冰箱", "洗衣机", "汽车", "小轿车", "柴油", "汽油", "石脑油", "铜", "铝", "铝箔", "玻璃",
  "纸", "服装", "鞋", "蜂蜜", "番茄", "芭蕉", "硫酸", "磁共振", "拖拉机", "黄油", "咖啡", "巧克力",
  "steel", "Stainless", "copper", "cotton", "horses", "live animals", "wine", "tyres", "machines",
  "computer", "telephone", "frozen", "fish", "paper", "glass", "vehicles", "of",
  "8471", "84.71", "847130", "84713000", "72", "7219", "72193300", "0101", "2204", "8703",
  "87032130", "3004", "8517", "85171", "61", "9503", "9403", "2710", "0302", "1006", "09",
}

local keyword_file = os.getenv("KEYWORD_FILE")
if keyword_file and keyword_file ~= "" then
  keywords = {}
  for line in io.lines(keyword_file) do
    if line ~= "" then keywords[#keywords + 1] = line:gsub("&", "&amp;"):gsub("<", "&lt;") end
  end
end

local bodies = {}
for i, keyword in ipairs(keywords) do
  bodies[i] = '<?xml version="1.0" encoding="utf-8"?>'
    .. '<soap:Envelope xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance"'
    .. ' xmlns:xsd="http://www.w3.org/2001/XMLSchema"'
    .. ' xmlns:soap="http://schemas.xmlsoap.org/soap/envelope/">'
    .. '<soap:Body><' .. operation .. ' xmlns="http://127.0.0.1:8936/">'
    .. '<keyword>' .. keyword .. '</keyword>'
    .. '<taken>' .. token .. '</taken></' .. operation .. '></soap:Body></soap:Envelope>'
end

local next_index = 1
local thread_count = 0
function setup(thread)
  thread_count = thread_count + 1
  thread:set("next_index", 1 + (thread_count * 37) % #bodies)
end

local headers = { ["Content-Type"] = "text/xml;charset=utf-8" }
function request()
  local body = bodies[next_index]
  next_index = next_index % #bodies + 1
  return wrk.format("POST", nil, headers, body)
end
