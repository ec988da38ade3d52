<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en">
    <context>
        <name>Brivanta</name>
        <message>
            <source> in the category &quot;%1&quot;</source>
            <translation>（类别“%1”）</translation>
        </message>
        <message>
            <source>&quot;%1&quot; is an indoor unit of the product database, not an outdoor unit.</source>
            <translation>“%1”在产品数据库中是室内机，不是室外机。</translation>
        </message>
        <message>
            <source>&quot;%1&quot; is an outdoor unit of the product database, not an indoor unit.</source>
            <translation>“%1”在产品数据库中是室外机，不是室内机。</translation>
        </message>
        <message>
            <source>&quot;%1&quot; is not a day (yyyy-MM-dd or MM-dd) or a range of days (FROM..TO).</source>
            <translation>“%1”不是日期（yyyy-MM-dd 或 MM-dd），也不是日期范围（FROM..TO）。</translation>
        </message>
        <message>
            <source>&quot;%1&quot; is not a list of ranges from %2 to %3 (such as &quot;%4&quot;, &quot;all&quot; or &quot;none&quot;)</source>
            <translation>“%1”不是 %2 至 %3 的范围列表（例如“%4”、“all”或“none”）</translation>
        </message>
        <message>
            <source>&quot;%1&quot; is not of the form KEY=VALUE.</source>
            <translation>“%1”不是 KEY=VALUE 形式。</translation>
        </message>
        <message>
            <source>&quot;%1&quot; is not set as a value: change the schedule, the holidays and the unit lines with their own commands.</source>
            <translation>“%1”不能作为值设置：运行时间表、节假日和机组行请用各自的命令修改。</translation>
        </message>
        <message>
            <source>&quot;operation_map&quot; is missing: no hour of the year runs, so every energy is 0.</source>
            <translation>缺少“operation_map”：全年没有任何运行小时，因此所有能耗均为 0。</translation>
        </message>
        <message>
            <source>%1 (%2) is not in the weather database, so the project has no hourly weather. Choose a city, or import its weather file on the Weather page.</source>
            <translation>气象数据库中没有 %1（%2），因此项目没有逐时气象数据。请选择城市，或在“气象”页导入该城市的气象文件。</translation>
        </message>
        <message>
            <source>%1 (%2): %3 hourly readings.</source>
            <translation>%1（%2）：%3 条逐时记录。</translation>
        </message>
        <message>
            <source>%1 cannot be imported:
%2</source>
            <translation>无法导入 %1：
%2</translation>
        </message>
        <message>
            <source>%1 has %2 entries that are not true or false; they read as false.</source>
            <translation>%1 中有 %2 个条目不是 true 或 false；按 false 读取。</translation>
        </message>
        <message>
            <source>%1 is %2, outside %3 to %4 where values make sense: the results would mean nothing. Check the value.</source>
            <translation>%1 为 %2，超出合理范围 %3 至 %4：计算结果将毫无意义。请检查该数值。</translation>
        </message>
        <message>
            <source>%1 is missing: no hour of the year runs, so every energy is 0.</source>
            <translation>缺少 %1：全年没有任何运行小时，因此所有能耗均为 0。</translation>
        </message>
        <message>
            <source>%1 is negative (%2); a negative value makes no sense here.</source>
            <translation>%1 为负值（%2）；此处负值没有意义。</translation>
        </message>
        <message>
            <source>%1 is not a date in the form %2 (%3); read as no date.</source>
            <translation>%1 不是 %2 格式的日期（%3）；按无日期读取。</translation>
        </message>
        <message>
            <source>%1 is not a list (%2); read as empty.</source>
            <translation>%1 不是列表（%2）；按空读取。</translation>
        </message>
        <message>
            <source>%1 is not a number (%2); read as 0.</source>
            <translation>%1 不是数字（%2）；按 0 读取。</translation>
        </message>
        <message>
            <source>%1 is not a project file. Projects end in .ee; selection projects in .vrf or .eed.</source>
            <translation>%1 不是项目文件。项目文件以 .ee 结尾；选型项目以 .vrf 或 .eed 结尾。</translation>
        </message>
        <message>
            <source>%1 is not a whole number (%2); read as 0.</source>
            <translation>%1 不是整数（%2）；按 0 读取。</translation>
        </message>
        <message>
            <source>%1 is not an object (%2); read as empty.</source>
            <translation>%1 不是对象（%2）；按空读取。</translation>
        </message>
        <message>
            <source>%1 is not an object; it is left out.</source>
            <translation>%1 不是对象；已略去。</translation>
        </message>
        <message>
            <source>%1 is not an object; it reads as an empty line.</source>
            <translation>%1 不是对象；按空行读取。</translation>
        </message>
        <message>
            <source>%1 is not text (%2); read as empty.</source>
            <translation>%1 不是文本（%2）；按空读取。</translation>
        </message>
        <message>
            <source>%1 is not true or false (%2); read as false.</source>
            <translation>%1 不是 true 或 false（%2）；按 false 读取。</translation>
        </message>
        <message>
            <source>%1 readings are missing and are left out of the averages.</source>
            <translation>缺少 %1 条记录，计算平均值时不计入。</translation>
        </message>
        <message>
            <source>%1 unit entries of %2 have values of the wrong type; units without a positive numeric quantity were skipped.</source>
            <translation>%2 中有 %1 个机组条目的数值类型错误；数量不是正数的机组已跳过。</translation>
        </message>
        <message>
            <source>%1 unit line %2</source>
            <translation>%1 第 %2 行机组</translation>
        </message>
        <message>
            <source>%1=%2 is refused: %1 takes %3.</source>
            <translation>%1=%2 被拒绝：%1 的取值须为：%3。</translation>
        </message>
        <message>
            <source>Add IDU</source>
            <translation>添加室内机</translation>
        </message>
        <message>
            <source>Add ODU</source>
            <translation>添加室外机</translation>
        </message>
        <message>
            <source>Add the hourly weather of a city from an EPW or TMY3 CSV file</source>
            <translation>从 EPW 或 TMY3 CSV 文件添加城市的逐时气象数据</translation>
        </message>
        <message>
            <source>Additional Information for water</source>
            <translation>水系统附加信息</translation>
        </message>
        <message>
            <source>Adjust Mode.</source>
            <translation>修正模式。</translation>
        </message>
        <message>
            <source>Air flow rate:</source>
            <translation>风量：</translation>
        </message>
        <message>
            <source>Ambient Air Temperature Distribution</source>
            <translation>室外空气温度分布</translation>
        </message>
        <message>
            <source>Ambient Temperature Consideration</source>
            <translation>室外设计温度</translation>
        </message>
        <message>
            <source>An outdoor unit needs a cooling or a heating capacity.</source>
            <translation>室外机需要制冷或制热容量。</translation>
        </message>
        <message>
            <source>Analyse the weather of every city in the weather database and store its summer and winter design points</source>
            <translation>分析气象数据库中每个城市的气象数据，并保存其夏季和冬季设计工况点</translation>
        </message>
        <message>
            <source>Analysing the weather of every city...</source>
            <translation>正在分析每个城市的气象数据...</translation>
        </message>
        <message>
            <source>Apl</source>
            <translation>4月</translation>
        </message>
        <message>
            <source>Apr</source>
            <translation>4月</translation>
        </message>
        <message>
            <source>April</source>
            <translation>4月</translation>
        </message>
        <message>
            <source>Aug</source>
            <translation>8月</translation>
        </message>
        <message>
            <source>August</source>
            <translation>8月</translation>
        </message>
        <message>
            <source>Average EIR</source>
            <translation>平均能效输入比(EIR)</translation>
        </message>
        <message>
            <source>Bar Chart</source>
            <translation>柱状图</translation>
        </message>
        <message>
            <source>Btu/h</source>
            <translation>Btu/h</translation>
        </message>
        <message>
            <source>Build Area</source>
            <translation>建筑面积</translation>
        </message>
        <message>
            <source>Build Height</source>
            <translation>建筑高度</translation>
        </message>
        <message>
            <source>Building</source>
            <translation>建筑</translation>
        </message>
        <message>
            <source>Building Area</source>
            <translation>建筑面积</translation>
        </message>
        <message>
            <source>Building Height</source>
            <translation>建筑高度</translation>
        </message>
        <message>
            <source>Building Information</source>
            <translation>建筑信息</translation>
        </message>
        <message>
            <source>Building Load</source>
            <translation>建筑负荷</translation>
        </message>
        <message>
            <source>Building Load x Hours</source>
            <translation>建筑负荷 × 小时数</translation>
        </message>
        <message>
            <source>Building Load(kW)</source>
            <translation>建筑负荷(kW)</translation>
        </message>
        <message>
            <source>CFM</source>
            <translation>CFM</translation>
        </message>
        <message>
            <source>COP(%)</source>
            <translation>COP(%)</translation>
        </message>
        <message>
            <source>Calculate</source>
            <translation>计算</translation>
        </message>
        <message>
            <source>Calculating...</source>
            <translation>正在计算...</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>取消</translation>
        </message>
        <message>
            <source>Cancelled: the design points were not stored.</source>
            <translation>已取消：未保存设计工况点。</translation>
        </message>
        <message>
            <source>Cannot copy %1 into %2; reading the program's copy</source>
            <translation>无法将 %1 复制到 %2；改为读取程序自带的文件</translation>
        </message>
        <message>
            <source>Cannot make a folder for the variants: %1</source>
            <translation>无法为各方案创建文件夹：%1</translation>
        </message>
        <message>
            <source>Cannot read the export file %1: %2</source>
            <translation>无法读取导出文件 %1：%2</translation>
        </message>
        <message>
            <source>Cannot read the project database %1: %2; nothing was imported.</source>
            <translation>无法读取项目数据库 %1：%2；未导入任何内容。</translation>
        </message>
        <message>
            <source>Cannot read the project file %1: %2</source>
            <translation>无法读取项目文件 %1：%2</translation>
        </message>
        <message>
            <source>Cannot save the project to %1: %2</source>
            <translation>无法将项目保存到 %1：%2</translation>
        </message>
        <message>
            <source>Cannot write the report %1</source>
            <translation>无法写入报告 %1</translation>
        </message>
        <message>
            <source>Cannot write the report %1: %2</source>
            <translation>无法写入报告 %1：%2</translation>
        </message>
        <message>
            <source>Cannot write the report %1: it is a folder.</source>
            <translation>无法写入报告 %1：这是一个文件夹。</translation>
        </message>
        <message>
            <source>Capacities, power inputs and prices are numbers from 0 up.</source>
            <translation>容量、输入功率和价格须为不小于 0 的数。</translation>
        </message>
        <message>
            <source>Capacity CRT</source>
            <translation>容量 CRT</translation>
        </message>
        <message>
            <source>Chiller</source>
            <translation>冷水机组</translation>
        </message>
        <message>
            <source>Choose the project's city on the Project page.</source>
            <translation>请在“项目”页选择项目所在城市。</translation>
        </message>
        <message>
            <source>Choose the project's country and city.</source>
            <translation>请选择项目所在的国家和城市。</translation>
        </message>
        <message>
            <source>Circulation-Water Pump</source>
            <translation>循环水泵</translation>
        </message>
        <message>
            <source>City</source>
            <translation>城市</translation>
        </message>
        <message>
            <source>Comparison Option</source>
            <translation>比较选项</translation>
        </message>
        <message>
            <source>Comparison Result</source>
            <translation>对比结果</translation>
        </message>
        <message>
            <source>Contents</source>
            <translation>目录</translation>
        </message>
        <message>
            <source>Cooling</source>
            <translation>制冷</translation>
        </message>
        <message>
            <source>Cooling Mode</source>
            <translation>制冷模式</translation>
        </message>
        <message>
            <source>Cooling Part Load Graph</source>
            <translation>制冷部分负荷图</translation>
        </message>
        <message>
            <source>Cooling Peak Load</source>
            <translation>冷负荷峰值</translation>
        </message>
        <message>
            <source>Cooling Season</source>
            <translation>制冷季</translation>
        </message>
        <message>
            <source>Cooling Tower</source>
            <translation>冷却塔</translation>
        </message>
        <message>
            <source>Copied %1 into %2</source>
            <translation>已将 %1 复制到 %2</translation>
        </message>
        <message>
            <source>Copy IDU data to other's</source>
            <translation>复制室内机数据到其他系统</translation>
        </message>
        <message>
            <source>Copy ODU data to other's</source>
            <translation>复制室外机数据到其他系统</translation>
        </message>
        <message>
            <source>Country</source>
            <translation>国家</translation>
        </message>
        <message>
            <source>Created %1 in %2</source>
            <translation>已在 %2 中创建 %1</translation>
        </message>
        <message>
            <source>Daily Schedule</source>
            <translation>每日运行时间</translation>
        </message>
        <message>
            <source>Data</source>
            <translation>数据</translation>
        </message>
        <message>
            <source>Date</source>
            <translation>日期</translation>
        </message>
        <message>
            <source>Day</source>
            <translation>日</translation>
        </message>
        <message>
            <source>Day of Week</source>
            <translation>星期</translation>
        </message>
        <message>
            <source>Days of the week</source>
            <translation>星期</translation>
        </message>
        <message>
            <source>Dec</source>
            <translation>12月</translation>
        </message>
        <message>
            <source>December</source>
            <translation>12月</translation>
        </message>
        <message>
            <source>Description</source>
            <translation>说明</translation>
        </message>
        <message>
            <source>Design Temperature</source>
            <translation>设计温度</translation>
        </message>
        <message>
            <source>Design points of %1 of %2 cities stored.</source>
            <translation>已保存 %2 个城市中 %1 个城市的设计工况点。</translation>
        </message>
        <message>
            <source>Do you want to close the current project?</source>
            <translation>是否关闭当前项目？</translation>
        </message>
        <message>
            <source>Done.</source>
            <translation>完成。</translation>
        </message>
        <message>
            <source>Double click on a date to mark it as a holiday.</source>
            <translation>双击日期可将其标记为节假日。</translation>
        </message>
        <message>
            <source>Dry Bulb Temperature</source>
            <translation>干球温度</translation>
        </message>
        <message>
            <source>Dry Bulb Temperature(°C)</source>
            <translation>干球温度(°C)</translation>
        </message>
        <message>
            <source>Electrical Usage Estimate Results</source>
            <translation>耗电量估算结果</translation>
        </message>
        <message>
            <source>Electricity Input(kWH)</source>
            <translation>耗电量(kWH)</translation>
        </message>
        <message>
            <source>Electricity Input(kWh)</source>
            <translation>耗电量(kWh)</translation>
        </message>
        <message>
            <source>Electricity Price</source>
            <translation>电价</translation>
        </message>
        <message>
            <source>Electricity($/kWh)</source>
            <translation>电价($/kWh)</translation>
        </message>
        <message>
            <source>Energy Consumption</source>
            <translation>能耗</translation>
        </message>
        <message>
            <source>Energy Consumption Estimate Report</source>
            <translation>能耗估算报告</translation>
        </message>
        <message>
            <source>Energy Cost($)</source>
            <translation>能源费用($)</translation>
        </message>
        <message>
            <source>Energy Cost(Auto Calculation)($)</source>
            <translation>能源费用(自动计算)($)</translation>
        </message>
        <message>
            <source>Energy Cost(User-input)($)</source>
            <translation>能源费用(用户输入)($)</translation>
        </message>
        <message>
            <source>Energy Evaluate (*.ee)</source>
            <translation>能耗评估 (*.ee)</translation>
        </message>
        <message>
            <source>Energy Evaluate (*.ee);;VELA Project Data(*.vrf);;VELA Project Export Data(*.eed)</source>
            <translation>能耗评估 (*.ee);;VELA 项目数据(*.vrf);;VELA 项目导出数据(*.eed)</translation>
        </message>
        <message>
            <source>Energy Price</source>
            <translation>能源价格</translation>
        </message>
        <message>
            <source>Energy input ratio(%)</source>
            <translation>能量输入比(%)</translation>
        </message>
        <message>
            <source>EnergyPlus weather file</source>
            <translation>EnergyPlus 气象文件</translation>
        </message>
        <message>
            <source>Error</source>
            <translation>错误</translation>
        </message>
        <message>
            <source>Excel Workbook (*.xlsx)</source>
            <translation>Excel 工作簿 (*.xlsx)</translation>
        </message>
        <message>
            <source>Feb</source>
            <translation>2月</translation>
        </message>
        <message>
            <source>February</source>
            <translation>2月</translation>
        </message>
        <message>
            <source>File not found: %1</source>
            <translation>找不到文件：%1</translation>
        </message>
        <message>
            <source>Fossil-fuel Boiler</source>
            <translation>燃料锅炉</translation>
        </message>
        <message>
            <source>Friday</source>
            <translation>星期五</translation>
        </message>
        <message>
            <source>Fuel Input(gas) N/m^3</source>
            <translation>燃料输入(燃气) N/m^3</translation>
        </message>
        <message>
            <source>Gas Input(Nm^3)</source>
            <translation>耗气量(Nm^3)</translation>
        </message>
        <message>
            <source>Gas($/Nm^3 )</source>
            <translation>燃气($/Nm^3 )</translation>
        </message>
        <message>
            <source>Give the cooling capacity and the cooling power input together.</source>
            <translation>请同时给出制冷容量和制冷输入功率。</translation>
        </message>
        <message>
            <source>Give the heating capacity and the heating power input together.</source>
            <translation>请同时给出制热容量和制热输入功率。</translation>
        </message>
        <message>
            <source>Heating</source>
            <translation>制热</translation>
        </message>
        <message>
            <source>Heating Mode</source>
            <translation>制热模式</translation>
        </message>
        <message>
            <source>Heating Part Load Graph</source>
            <translation>制热部分负荷图</translation>
        </message>
        <message>
            <source>Heating Peak Load</source>
            <translation>热负荷峰值</translation>
        </message>
        <message>
            <source>Heating Season</source>
            <translation>制热季</translation>
        </message>
        <message>
            <source>Holiday</source>
            <translation>节假日</translation>
        </message>
        <message>
            <source>Hour</source>
            <translation>小时</translation>
        </message>
        <message>
            <source>Hourly Values</source>
            <translation>逐时数据</translation>
        </message>
        <message>
            <source>Hours (h)</source>
            <translation>小时 (h)</translation>
        </message>
        <message>
            <source>Hours of the day</source>
            <translation>一天中的小时</translation>
        </message>
        <message>
            <source>If &quot;Thermo OFF&quot; check box is checked, Outdoor Unit is off and only indoor unit is on, whend difference is less than 1 centigrade between Outdoor air temp and balance point.</source>
            <translation>勾选“温控停机”后，当室外气温与平衡点温度之差小于 1 ℃ 时，室外机停机，仅室内机运行。</translation>
        </message>
        <message>
            <source>Ignore Hours(h)</source>
            <translation>忽略小时数(h)</translation>
        </message>
        <message>
            <source>Import</source>
            <translation>导入</translation>
        </message>
        <message>
            <source>Import weather file</source>
            <translation>导入气象文件</translation>
        </message>
        <message>
            <source>Import weather file…</source>
            <translation>导入气象文件…</translation>
        </message>
        <message>
            <source>Imported the weather of %1 (%2).</source>
            <translation>已导入 %1（%2）的气象数据。</translation>
        </message>
        <message>
            <source>Indoor Setting Temperature Information</source>
            <translation>室内设定温度信息</translation>
        </message>
        <message>
            <source>Indoor Unit Energy</source>
            <translation>室内机能耗</translation>
        </message>
        <message>
            <source>Indoor Unit Energy(kWh)</source>
            <translation>室内机能耗(kWh)</translation>
        </message>
        <message>
            <source>Indoor units</source>
            <translation>室内机</translation>
        </message>
        <message>
            <source>Insert</source>
            <translation>插入</translation>
        </message>
        <message>
            <source>Jan</source>
            <translation>1月</translation>
        </message>
        <message>
            <source>January</source>
            <translation>1月</translation>
        </message>
        <message>
            <source>Jly</source>
            <translation>7月</translation>
        </message>
        <message>
            <source>July</source>
            <translation>7月</translation>
        </message>
        <message>
            <source>Jun</source>
            <translation>6月</translation>
        </message>
        <message>
            <source>June</source>
            <translation>6月</translation>
        </message>
        <message>
            <source>L/s</source>
            <translation>L/s</translation>
        </message>
        <message>
            <source>Language</source>
            <translation>语言</translation>
        </message>
        <message>
            <source>Language:</source>
            <translation>语言：</translation>
        </message>
        <message>
            <source>Length:</source>
            <translation>长度：</translation>
        </message>
        <message>
            <source>Line Chart</source>
            <translation>折线图</translation>
        </message>
        <message>
            <source>Load Ratio</source>
            <translation>负荷率</translation>
        </message>
        <message>
            <source>Load and Energy Estimate Result</source>
            <translation>负荷与能耗估算结果</translation>
        </message>
        <message>
            <source>Load(%)</source>
            <translation>负荷率(%)</translation>
        </message>
        <message>
            <source>Load:</source>
            <translation>负荷：</translation>
        </message>
        <message>
            <source>Location</source>
            <translation>地点</translation>
        </message>
        <message>
            <source>Mar</source>
            <translation>3月</translation>
        </message>
        <message>
            <source>March</source>
            <translation>3月</translation>
        </message>
        <message>
            <source>Mark the days of the year on which the plant does not run</source>
            <translation>标记全年中系统不运行的日期</translation>
        </message>
        <message>
            <source>Max Temperature</source>
            <translation>最高温度</translation>
        </message>
        <message>
            <source>Max.Temp</source>
            <translation>最高温度</translation>
        </message>
        <message>
            <source>May</source>
            <translation>5月</translation>
        </message>
        <message>
            <source>Min Temperature</source>
            <translation>最低温度</translation>
        </message>
        <message>
            <source>Min.Temp</source>
            <translation>最低温度</translation>
        </message>
        <message>
            <source>Model</source>
            <translation>型号</translation>
        </message>
        <message>
            <source>Monday</source>
            <translation>星期一</translation>
        </message>
        <message>
            <source>Month</source>
            <translation>月份</translation>
        </message>
        <message>
            <source>Monthly Bin-data</source>
            <translation>逐月温频数据</translation>
        </message>
        <message>
            <source>Monthly Schedule</source>
            <translation>每月运行时间</translation>
        </message>
        <message>
            <source>Monthly Weather Analysis (Temperature)</source>
            <translation>逐月气象分析(温度)</translation>
        </message>
        <message>
            <source>Months</source>
            <translation>月份</translation>
        </message>
        <message>
            <source>New</source>
            <translation>新建</translation>
        </message>
        <message>
            <source>No cooling hours in the year: there is nothing to draw.</source>
            <translation>全年没有制冷小时：无图可画。</translation>
        </message>
        <message>
            <source>No cooling peak load is given; %1 kW (110% of the own system's outdoor cooling capacity %2 kW) is used.</source>
            <translation>未给出制冷峰值负荷；采用 %1 kW（本方系统室外机制冷容量 %2 kW 的 110%）。</translation>
        </message>
        <message>
            <source>No file name given.</source>
            <translation>未指定文件名。</translation>
        </message>
        <message>
            <source>No find equipment info in this project file, Please Use VELA software open, calculate and save again.</source>
            <translation>此项目文件中没有设备信息，请用 VELA 软件打开、计算并重新保存。</translation>
        </message>
        <message>
            <source>No heating hours in the year: there is nothing to draw.</source>
            <translation>全年没有制热小时：无图可画。</translation>
        </message>
        <message>
            <source>No heating peak load is given; %1 kW (110% of the own system's outdoor heating capacity %2 kW) is used.</source>
            <translation>未给出制热峰值负荷；采用 %1 kW（本方系统室外机制热容量 %2 kW 的 110%）。</translation>
        </message>
        <message>
            <source>No hourly weather for %1 (%2). Choose another city on the Project page or import its weather file.</source>
            <translation>没有 %1（%2）的逐时气象数据。请在“项目”页选择其他城市，或导入其气象文件。</translation>
        </message>
        <message>
            <source>Normal Mode.</source>
            <translation>正常模式。</translation>
        </message>
        <message>
            <source>Not a city of the weather database %1 (written Country/City): %2</source>
            <translation>不是气象数据库 %1 中的城市（写作 国家/城市）：%2</translation>
        </message>
        <message>
            <source>Not a project database (no equipment table): %1</source>
            <translation>不是项目数据库（没有设备表）：%1</translation>
        </message>
        <message>
            <source>Not a project database: %1</source>
            <translation>不是项目数据库：%1</translation>
        </message>
        <message>
            <source>Not a project export file (no project data): %1</source>
            <translation>不是项目导出文件（没有项目数据）：%1</translation>
        </message>
        <message>
            <source>Not a project file (no project data): %1</source>
            <translation>不是项目文件（没有项目数据）：%1</translation>
        </message>
        <message>
            <source>Notice</source>
            <translation>提示</translation>
        </message>
        <message>
            <source>Nov</source>
            <translation>11月</translation>
        </message>
        <message>
            <source>November</source>
            <translation>11月</translation>
        </message>
        <message>
            <source>Number of Floors</source>
            <translation>楼层数</translation>
        </message>
        <message>
            <source>Number of floors</source>
            <translation>楼层数</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>确定</translation>
        </message>
        <message>
            <source>Oct</source>
            <translation>10月</translation>
        </message>
        <message>
            <source>October</source>
            <translation>10月</translation>
        </message>
        <message>
            <source>Only project files (.ee) are edited: %1; import an .eed or .vrf file into one first.</source>
            <translation>只能编辑项目文件（.ee）：%1；请先将 .eed 或 .vrf 文件导入为项目文件。</translation>
        </message>
        <message>
            <source>Open</source>
            <translation>打开</translation>
        </message>
        <message>
            <source>Open File</source>
            <translation>打开文件</translation>
        </message>
        <message>
            <source>Opening %1 ...</source>
            <translation>正在打开 %1 ...</translation>
        </message>
        <message>
            <source>Operating Hours</source>
            <translation>运行小时数</translation>
        </message>
        <message>
            <source>Operation</source>
            <translation>运行</translation>
        </message>
        <message>
            <source>Operational Info</source>
            <translation>运行信息</translation>
        </message>
        <message>
            <source>Operational Information</source>
            <translation>运行信息</translation>
        </message>
        <message>
            <source>Other VRF's</source>
            <translation>其他品牌VRF</translation>
        </message>
        <message>
            <source>Other'VRF</source>
            <translation>其他VRF</translation>
        </message>
        <message>
            <source>Other's product data is not empty, do you want to replace it?</source>
            <translation>其他系统的产品数据不为空，是否替换？</translation>
        </message>
        <message>
            <source>Outdoor Temp(DB)</source>
            <translation>室外温度(干球)</translation>
        </message>
        <message>
            <source>Outdoor Unit Energy</source>
            <translation>室外机能耗</translation>
        </message>
        <message>
            <source>Outdoor Unit Energy(kWh)</source>
            <translation>室外机能耗(kWh)</translation>
        </message>
        <message>
            <source>Outdoor units</source>
            <translation>室外机</translation>
        </message>
        <message>
            <source>Own indoor unit line %1 (category &quot;%2&quot;, model &quot;%3&quot;) is not in the product database: it has no capacity and no power input.</source>
            <translation>本方室内机第 %1 行（类别“%2”，型号“%3”）不在产品数据库中：该行没有容量，也没有输入功率。</translation>
        </message>
        <message>
            <source>Own outdoor unit line %1 (category &quot;%2&quot;, model &quot;%3&quot;) is not in the product database: it has no capacity and no power input.</source>
            <translation>本方室外机第 %1 行（类别“%2”，型号“%3”）不在产品数据库中：该行没有容量，也没有输入功率。</translation>
        </message>
        <message>
            <source>PI(C) kW</source>
            <translation>制冷功率 kW</translation>
        </message>
        <message>
            <source>PI(H) kW</source>
            <translation>制热功率 kW</translation>
        </message>
        <message>
            <source>Peak Load</source>
            <translation>峰值负荷</translation>
        </message>
        <message>
            <source>Performance Data</source>
            <translation>性能数据</translation>
        </message>
        <message>
            <source>Please check the Unit Information Page.</source>
            <translation>请检查机组信息页。</translation>
        </message>
        <message>
            <source>Please push the [Calculate] button to complete calculation.</source>
            <translation>请点击[计算]按钮完成计算。</translation>
        </message>
        <message>
            <source>Power Input kW</source>
            <translation>输入功率 kW</translation>
        </message>
        <message>
            <source>Power Input(Electricity) kW</source>
            <translation>输入功率(电) kW</translation>
        </message>
        <message>
            <source>Precent</source>
            <translation>百分比</translation>
        </message>
        <message>
            <source>Price/ea</source>
            <translation>单价</translation>
        </message>
        <message>
            <source>Product Performance data</source>
            <translation>产品性能数据</translation>
        </message>
        <message>
            <source>Project</source>
            <translation>项目</translation>
        </message>
        <message>
            <source>Project Information</source>
            <translation>项目信息</translation>
        </message>
        <message>
            <source>Project Name</source>
            <translation>项目名称</translation>
        </message>
        <message>
            <source>Project file not found: %1</source>
            <translation>找不到项目文件：%1</translation>
        </message>
        <message>
            <source>Quantity</source>
            <translation>数量</translation>
        </message>
        <message>
            <source>Query</source>
            <translation>询问</translation>
        </message>
        <message>
            <source>RT</source>
            <translation>冷吨</translation>
        </message>
        <message>
            <source>Rated Power Input kW</source>
            <translation>额定输入功率 kW</translation>
        </message>
        <message>
            <source>Ratio(%)</source>
            <translation>比率(%)</translation>
        </message>
        <message>
            <source>Ready</source>
            <translation>就绪</translation>
        </message>
        <message>
            <source>Region Information</source>
            <translation>地区信息</translation>
        </message>
        <message>
            <source>Remove</source>
            <translation>删除</translation>
        </message>
        <message>
            <source>Remove IDU</source>
            <translation>删除室内机</translation>
        </message>
        <message>
            <source>Remove ODU</source>
            <translation>删除室外机</translation>
        </message>
        <message>
            <source>Report</source>
            <translation>报告</translation>
        </message>
        <message>
            <source>Report Preview</source>
            <translation>报告预览</translation>
        </message>
        <message>
            <source>Report saved as %1</source>
            <translation>报告已保存为 %1</translation>
        </message>
        <message>
            <source>Right-click a table to add or remove units, or to copy them to the other system.</source>
            <translation>在表格中单击右键可添加或删除机组，或将其复制到其他系统。</translation>
        </message>
        <message>
            <source>Right-click a table to insert or remove a point.</source>
            <translation>在表格中单击右键可插入或删除数据点。</translation>
        </message>
        <message>
            <source>Saturday</source>
            <translation>星期六</translation>
        </message>
        <message>
            <source>Save</source>
            <translation>保存</translation>
        </message>
        <message>
            <source>Save As</source>
            <translation>另存为</translation>
        </message>
        <message>
            <source>Save File</source>
            <translation>保存文件</translation>
        </message>
        <message>
            <source>Save changes?</source>
            <translation>是否保存更改？</translation>
        </message>
        <message>
            <source>Save project data...</source>
            <translation>正在保存项目数据...</translation>
        </message>
        <message>
            <source>Saved %1</source>
            <translation>已保存 %1</translation>
        </message>
        <message>
            <source>Sep</source>
            <translation>9月</translation>
        </message>
        <message>
            <source>September</source>
            <translation>9月</translation>
        </message>
        <message>
            <source>Sunday</source>
            <translation>星期日</translation>
        </message>
        <message>
            <source>TC(C)</source>
            <translation>制冷量</translation>
        </message>
        <message>
            <source>TC(H)</source>
            <translation>制热量</translation>
        </message>
        <message>
            <source>TMY3 weather file</source>
            <translation>TMY3 气象文件</translation>
        </message>
        <message>
            <source>Temp(DB)</source>
            <translation>温度(干球)</translation>
        </message>
        <message>
            <source>Temperature</source>
            <translation>温度</translation>
        </message>
        <message>
            <source>Temperature:</source>
            <translation>温度：</translation>
        </message>
        <message>
            <source>Tempteature</source>
            <translation>温度</translation>
        </message>
        <message>
            <source>The %1 system has no unit line %2 (it has %3).</source>
            <translation>%1系统没有第 %2 行机组（共 %3 行）。</translation>
        </message>
        <message>
            <source>The Combination ratio can not greater than 150%.</source>
            <translation>负荷率不能大于 150%。</translation>
        </message>
        <message>
            <source>The Combination ratio can not less than 0%.</source>
            <translation>负荷率不能小于 0%。</translation>
        </message>
        <message>
            <source>The VELA outdoor units have no cooling or heating capacity: their models are not in the product database.</source>
            <translation>VELA 室外机没有制冷或制热容量：其型号不在产品数据库中。</translation>
        </message>
        <message>
            <source>The calculation gives no finite result: values of the project are too large (see the warnings). Check its loads, capacities, power inputs and prices.</source>
            <translation>计算未得到有限的结果：项目中的数值过大（见警告）。请检查其负荷、能力、输入功率和价格。</translation>
        </message>
        <message>
            <source>The configuration file %1 cannot be written; the mode was not changed.</source>
            <translation>无法写入配置文件 %1；模式未更改。</translation>
        </message>
        <message>
            <source>The cooling curve needs at least two points.</source>
            <translation>制冷曲线至少需要两个数据点。</translation>
        </message>
        <message>
            <source>The cooling peak load %1 kW is outside 50%-150% of the own system's outdoor cooling capacity %2 kW; %3 kW (110% of the capacity) is used instead.</source>
            <translation>制冷峰值负荷 %1 kW 不在本方系统室外机制冷容量 %2 kW 的 50%-150% 范围内；改用 %3 kW（容量的 110%）。</translation>
        </message>
        <message>
            <source>The current project has changes that are not saved in a file.</source>
            <translation>当前项目有尚未保存到文件的更改。</translation>
        </message>
        <message>
            <source>The design points could not be stored: %1</source>
            <translation>无法保存设计工况点：%1</translation>
        </message>
        <message>
            <source>The heating curve needs at least two points.</source>
            <translation>制热曲线至少需要两个数据点。</translation>
        </message>
        <message>
            <source>The heating peak load %1 kW is outside 50%-150% of the own system's outdoor heating capacity %2 kW; %3 kW (110% of the capacity) is used instead.</source>
            <translation>制热峰值负荷 %1 kW 不在本方系统室外机制热容量 %2 kW 的 50%-150% 范围内；改用 %3 kW（容量的 110%）。</translation>
        </message>
        <message>
            <source>The hourly values are written when the switch &quot;other&quot;/&quot;is_print_all&quot; of ee_config.json is on.</source>
            <translation>ee_config.json 中的开关 &quot;other&quot;/&quot;is_print_all&quot; 打开时才写入逐时数据。</translation>
        </message>
        <message>
            <source>The language catalogue could not be loaded.</source>
            <translation>无法加载语言包。</translation>
        </message>
        <message>
            <source>The model &quot;%1&quot; is in several categories (%2): give the category.</source>
            <translation>型号“%1”属于多个类别（%2）：请给出类别。</translation>
        </message>
        <message>
            <source>The operation schedule runs no hour of the year (no hour of the day, no weekday or no month is on), so every energy is 0.</source>
            <translation>运行时间表全年没有任何运行小时（没有开启的小时、星期或月份），因此所有能耗均为 0。</translation>
        </message>
        <message>
            <source>The product database has no %1 unit &quot;%2&quot;%3.</source>
            <translation>产品数据库中没有%1“%2”%3。</translation>
        </message>
        <message>
            <source>The project has no location: choose its country and city on the Project page.</source>
            <translation>项目没有所在地：请在“项目”页选择国家和城市。</translation>
        </message>
        <message>
            <source>The project is not calculated: the report needs the results of the [Calculate] button.</source>
            <translation>项目尚未计算：报告需要[计算]按钮的结果。</translation>
        </message>
        <message>
            <source>The project's year has no 29 February (%1).</source>
            <translation>项目的年份没有 2 月 29 日（%1）。</translation>
        </message>
        <message>
            <source>The quantity of a unit line is a whole number from 1 up.</source>
            <translation>机组行的数量须为不小于 1 的整数。</translation>
        </message>
        <message>
            <source>The ratio of VRF outdoor cooling capacity to cooling peak load is</source>
            <translation>VRF 室外机制冷容量与制冷峰值负荷之比为</translation>
        </message>
        <message>
            <source>The ratio of VRF outdoor heating capacity to heating peak load is</source>
            <translation>VRF 室外机制热容量与制热峰值负荷之比为</translation>
        </message>
        <message>
            <source>The report is saved as %1, but no application was found to open it.</source>
            <translation>报告已保存为 %1，但找不到可以打开它的应用程序。</translation>
        </message>
        <message>
            <source>The report would replace the project file %1.</source>
            <translation>报告将覆盖项目文件 %1。</translation>
        </message>
        <message>
            <source>The weather database %1 cannot be opened.</source>
            <translation>无法打开气象数据库 %1。</translation>
        </message>
        <message>
            <source>The weather database %1 has no city &quot;%2&quot; in the country &quot;%3&quot;; choose one it lists, or import the city's weather first.</source>
            <translation>气象数据库 %1 中没有国家“%3”的城市“%2”；请选择其中列出的城市，或先导入该城市的气象数据。</translation>
        </message>
        <message>
            <source>The weather database already holds %1 (%2). Replace its weather with this file?</source>
            <translation>气象数据库中已有 %1（%2）。是否用此文件替换其气象数据？</translation>
        </message>
        <message>
            <source>The weather database holds no city, so the project has no hourly weather. Import a weather file on the Weather page.</source>
            <translation>气象数据库中没有城市，因此项目没有逐时气象数据。请在“气象”页导入气象文件。</translation>
        </message>
        <message>
            <source>The weather database holds no city. Import a weather file to add one.</source>
            <translation>气象数据库中没有城市。请导入气象文件添加城市。</translation>
        </message>
        <message>
            <source>The weather year lacks a valid reading in %1 of its 8760 hours; their temperature and humidity were interpolated between the nearest hours with readings.</source>
            <translation>气象年的 8760 小时中有 %1 小时没有有效读数；这些小时的温度和湿度已按前后最近的有效读数线性插值。</translation>
        </message>
        <message>
            <source>The worker %1 did not start: %2</source>
            <translation>工作进程 %1 未能启动：%2</translation>
        </message>
        <message>
            <source>The worker ended with exit status %1.</source>
            <translation>工作进程以退出状态 %1 结束。</translation>
        </message>
        <message>
            <source>The worker process stopped abnormally (%1).</source>
            <translation>工作进程异常终止（%1）。</translation>
        </message>
        <message>
            <source>The worker's output is not JSON: %1</source>
            <translation>工作进程的输出不是 JSON：%1</translation>
        </message>
        <message>
            <source>There are no entire year meteorological data(8760 hours) for</source>
            <translation>缺少完整一年（8760 小时）的气象数据：</translation>
        </message>
        <message>
            <source>There are not Other VRF units.</source>
            <translation>没有其他品牌 VRF 机组。</translation>
        </message>
        <message>
            <source>There are not VELA units.</source>
            <translation>没有 VELA 机组。</translation>
        </message>
        <message>
            <source>There are not other VRF Units, Do you want to continue?</source>
            <translation>没有其他品牌 VRF 机组，是否继续？</translation>
        </message>
        <message>
            <source>Thermo OFF</source>
            <translation>温控停机</translation>
        </message>
        <message>
            <source>Thursday</source>
            <translation>星期四</translation>
        </message>
        <message>
            <source>Time Ratio</source>
            <translation>时间占比</translation>
        </message>
        <message>
            <source>Total</source>
            <translation>合计</translation>
        </message>
        <message>
            <source>Total Energy</source>
            <translation>总能耗</translation>
        </message>
        <message>
            <source>Total Energy(kWh)</source>
            <translation>总能耗(kWh)</translation>
        </message>
        <message>
            <source>Tuesday</source>
            <translation>星期二</translation>
        </message>
        <message>
            <source>Type the units of the other make; right-click a table to add or remove rows.</source>
            <translation>请输入其他品牌的机组；在表格中单击右键可添加或删除行。</translation>
        </message>
        <message>
            <source>Unit</source>
            <translation>机组</translation>
        </message>
        <message>
            <source>Unit Type</source>
            <translation>机组类型</translation>
        </message>
        <message>
            <source>Units</source>
            <translation>单位</translation>
        </message>
        <message>
            <source>Unknown key &quot;%1&quot;; the keys are: %2.</source>
            <translation>未知的键“%1”；可用的键为：%2。</translation>
        </message>
        <message>
            <source>Unknown project file type (expected .ee, .eed or .vrf): %1</source>
            <translation>未知的项目文件类型（应为 .ee、.eed 或 .vrf）：%1</translation>
        </message>
        <message>
            <source>Updated %1 in %2 from the program's files</source>
            <translation>已用程序自带的文件更新 %2 中的 %1</translation>
        </message>
        <message>
            <source>Use this city for the project</source>
            <translation>将此城市用作项目所在地</translation>
        </message>
        <message>
            <source>Utility Cost Information</source>
            <translation>能源价格信息</translation>
        </message>
        <message>
            <source>VELA</source>
            <translation>VELA</translation>
        </message>
        <message>
            <source>VELA's</source>
            <translation>VELA</translation>
        </message>
        <message>
            <source>VELA-Product</source>
            <translation>VELA 产品</translation>
        </message>
        <message>
            <source>VRF</source>
            <translation>VRF</translation>
        </message>
        <message>
            <source>VRF(Other)</source>
            <translation>VRF(其他)</translation>
        </message>
        <message>
            <source>Warning</source>
            <translation>警告</translation>
        </message>
        <message>
            <source>Water chilling unit(Other)</source>
            <translation>冷水机组(其他)</translation>
        </message>
        <message>
            <source>Water-chilling units cannot be compared yet; this page holds no data.</source>
            <translation>暂不支持与冷水机组比较；此页面不含数据。</translation>
        </message>
        <message>
            <source>Weather</source>
            <translation>气象</translation>
        </message>
        <message>
            <source>Weather Information</source>
            <translation>气象信息</translation>
        </message>
        <message>
            <source>Weather analysis...</source>
            <translation>正在分析气象数据...</translation>
        </message>
        <message>
            <source>Weather files (*.epw *.csv);;EnergyPlus weather (*.epw);;TMY3 weather (*.csv);;All files (*)</source>
            <translation>气象文件 (*.epw *.csv);;EnergyPlus 气象文件 (*.epw);;TMY3 气象文件 (*.csv);;所有文件 (*)</translation>
        </message>
        <message>
            <source>Wednesday</source>
            <translation>星期三</translation>
        </message>
        <message>
            <source>Weekly Schedule</source>
            <translation>每周运行时间</translation>
        </message>
        <message>
            <source>Writing the report...</source>
            <translation>正在写入报告...</translation>
        </message>
        <message>
            <source>a date yyyy-MM-dd</source>
            <translation>日期 yyyy-MM-dd</translation>
        </message>
        <message>
            <source>a number from %1 to %2</source>
            <translation>%1 至 %2 的数</translation>
        </message>
        <message>
            <source>a number from %1 up</source>
            <translation>不小于 %1 的数</translation>
        </message>
        <message>
            <source>a text</source>
            <translation>文本</translation>
        </message>
        <message>
            <source>a whole number from %1 to %2</source>
            <translation>%1 至 %2 的整数</translation>
        </message>
        <message>
            <source>a whole number from %1 up</source>
            <translation>不小于 %1 的整数</translation>
        </message>
        <message>
            <source>ea</source>
            <translation>台数</translation>
        </message>
        <message>
            <source>ft</source>
            <translation>英尺</translation>
        </message>
        <message>
            <source>indoor</source>
            <translation>室内机</translation>
        </message>
        <message>
            <source>kW</source>
            <translation>kW</translation>
        </message>
        <message>
            <source>kcal/h</source>
            <translation>kcal/h</translation>
        </message>
        <message>
            <source>m</source>
            <translation>米</translation>
        </message>
        <message>
            <source>m³/h</source>
            <translation>m³/h</translation>
        </message>
        <message>
            <source>other</source>
            <translation>对比</translation>
        </message>
        <message>
            <source>outdoor</source>
            <translation>室外机</translation>
        </message>
        <message>
            <source>own</source>
            <translation>本方</translation>
        </message>
        <message>
            <source>per kWh</source>
            <translation>每 kWh</translation>
        </message>
        <message>
            <source>the workbook cannot be created</source>
            <translation>无法创建工作簿</translation>
        </message>
        <message>
            <source>true or false</source>
            <translation>true 或 false</translation>
        </message>
        <message>
            <source>warning</source>
            <translation>警告</translation>
        </message>
        <message>
            <source>°C</source>
            <translation>°C</translation>
        </message>
        <message>
            <source>°F</source>
            <translation>°F</translation>
        </message>
    </context>
</TS>
